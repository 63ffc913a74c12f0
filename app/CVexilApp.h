#pragma once

#include <QApplication>
#include <memory>

class CMainFrame;
class UserPrompts;

// The application: its start-up steps and the main window it owns.
class CVexilApp : public QApplication {
    Q_OBJECT
public:
    CVexilApp(int& argc, char** argv);
    ~CVexilApp() override;

    // Creates the main window and carries out the command line: a new game,
    // or the file it names. A file that cannot be opened is told and leaves
    // the window open without a game; false only when no new game can be made.
    bool InitInstance(const QStringList& arguments);
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    std::unique_ptr<UserPrompts> m_prompts;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
