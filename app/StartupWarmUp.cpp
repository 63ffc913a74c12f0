#include "StartupWarmUp.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImageReader>

#include "CMainFrame.h"

StartupWarmUp::StartupWarmUp() {
    // The longest piece, on a thread of its own.
    m_fonts = std::thread([] { QFontDatabase::families(); });
    m_pictures = std::thread([] {
        // Asking whether empty data reads as PNG makes the reader consult,
        // and so load, every format plugin, as the first real picture would.
        QByteArray nothing;
        QBuffer buffer(&nothing);
        buffer.open(QIODevice::ReadOnly);
        QImageReader(&buffer, "png").canRead();
        CMainFrame::PreparePictures();
    });
}

StartupWarmUp::~StartupWarmUp() {
    m_pictures.join();
    m_fonts.join();
}
