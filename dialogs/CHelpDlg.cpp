#include "CHelpDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpDlg::CHelpDlg(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(QApplication::applicationDisplayName());
    // A window of its own, so the games stay at hand while it is open.
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        // Nothing leaves the guide: a link to anywhere else does nothing.
        const QUrl page = m_browser->source().adjusted(QUrl::RemoveFragment);
        if (link.hasFragment() && link.adjusted(QUrl::RemoveFragment) == page)
            m_browser->scrollToAnchor(link.fragment());
    });
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/guide.html")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(820, 680);
}
