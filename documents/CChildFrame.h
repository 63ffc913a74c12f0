#pragma once

#include <QMdiSubWindow>

class CVexilDoc;
class CVexilView;
class FrameCloseGuard;

// One game window: a board view on a document, inside the main window.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kInitialHeight = 330;

    CChildFrame(CVexilDoc* document, FrameCloseGuard* guard);
    CVexilDoc* Document() const { return m_document; }
    CVexilView* View() const { return m_view; }
    // The window size that shows the view's whole form.
    QSize FormFrameSize();
    // Grows the window, unless maximised or minimised, to show the whole
    // form: a new window is 330 pixels high where that is enough.
    void ShowWholeForm();
    // After the board size changed: exactly the whole form, smaller or larger.
    void FitWholeForm();
    // Moves the window, unless maximised or minimised, so that it lies wholly
    // inside the main window's area; one larger than the area goes to its
    // top left corner, where its title bar and its form's start show.
    void KeepInArea();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Setup's palette shown or hidden: the window grows or shrinks by it, so
    // the board keeps its size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CVexilDoc* m_document;
    FrameCloseGuard* m_guard;
    CVexilView* m_view;
    int m_paletteHeight = 0;  // what the window grew by for the palette
};
