#include "CVexilApp.h"

#include "CMainFrame.h"
#include "DocumentManager.h"
#include "QtUserPrompts.h"
#include "RecoveryStore.h"
#include "Resources.h"

CVexilApp::CVexilApp(int& argc, char** argv) : QApplication(argc, argv) {
    // No display name: the window system would append it to every window title.
    setApplicationName(QStringLiteral("Ravelin"));
    setOrganizationName(QStringLiteral("Ravelin"));
    setApplicationVersion(QStringLiteral("1.10"));
    InitRavelinResources();
    m_prompts = std::make_unique<QtUserPrompts>();
    SetPrompts(m_prompts.get());
}

CVexilApp::~CVexilApp() {
    m_mainFrame.reset();
    SetPrompts(nullptr);
}

bool CVexilApp::InitInstance(const QStringList& arguments) {
    m_mainFrame = std::make_unique<CMainFrame>();
    DocumentManager& documents = m_mainFrame->Documents();
    // Choosing no game of a file of several still starts the program.
    const bool ok = arguments.isEmpty() ? documents.NewDocument() != nullptr
                                        : documents.OpenDocument(arguments.first()) != nullptr ||
                                              documents.OpenCancelled();
    if (!ok) return false;
    m_mainFrame->show();
    m_mainFrame->Recovery().OfferRecovery();
    return true;
}
