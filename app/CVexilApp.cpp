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
    if (arguments.isEmpty()) {
        if (documents.NewDocument() == nullptr) return false;
        m_mainFrame->show();
    } else {
        // The window first, so the list of a file of several and any refusal
        // appear over it; a file that cannot be opened leaves it open, empty.
        m_mainFrame->show();
        m_mainFrame->OpenFiles(arguments);
    }
    m_mainFrame->Recovery().OfferRecovery();
    return true;
}
