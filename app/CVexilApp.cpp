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
    // The window first, on the screen before anything is opened in it: the
    // list of a file of several and any refusal appear over it, and a start
    // is seen as soon as the window can be.
    m_mainFrame->show();
    sync();
    DocumentManager& documents = m_mainFrame->Documents();
    if (arguments.isEmpty()) {
        if (documents.NewDocument() == nullptr) return false;
    } else {
        // A file that cannot be opened leaves the window open, empty.
        m_mainFrame->OpenFiles(arguments);
    }
    m_mainFrame->Recovery().OfferRecovery();
    return true;
}
