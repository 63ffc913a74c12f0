#pragma once

// A main window with scripted prompts, the gestures a person makes on it, and file helpers.
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CVexilDoc.h"
#include "CVexilView.h"
#include "DocumentManager.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "ScriptedPrompts.h"

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QPushButton* Button(QWidget* parent, const QString& caption) {
    for (QPushButton* button : parent->findChildren<QPushButton*>())
        if (button->text() == caption) return button;
    return nullptr;
}

inline QString Box(CVexilView* view) {
    return view->AnnotationBox()->toPlainText();
}

// Keys typed into `widget`, characters beyond ASCII as keys carrying them.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Selects a line of the move list with the mouse.
inline void ClickLine(CVexilView* view, int line) {
    QListWidget* list = view->MoveList();
    list->scrollToItem(list->item(line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(line)).center());
}

// A right click through the window system, which makes it the view's context-menu request.
inline void RightClick(CVexilView* view, const QPoint& point) {
    QWidget* top = view->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, view->mapTo(top, point));
}

// A window's title as the window system shows it: Qt's "[*]" placeholder
// an asterisk while the window is marked modified, "[*][*]" a "[*]".
inline QString TitleShown(const QWidget* window) {
    QString title = window->windowTitle();
    title.replace(QStringLiteral("[*][*]"), QStringLiteral("\x01"));
    title.replace(QStringLiteral("[*]"),
                  window->isWindowModified() ? QStringLiteral("*") : QString());
    return title.replace(QStringLiteral("\x01"), QStringLiteral("[*]"));
}

struct GameWindowFixture {
    GameWindowFixture() {
        InitRavelinResources();
        // Recovery copies go to the test's own folder, never the user's.
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath("data")));
        frame = std::make_unique<CMainFrame>();
        frame->show();
    }
    ~GameWindowFixture() {
        prompts.saveAnswers.assign(64, UserPrompts::SaveAnswer::No);
        frame->close();
        frame.reset();  // its lock file goes before the folder it lies in
    }

    DocumentManager& Documents() { return frame->Documents(); }
    CVexilView* View() { return frame->ActiveView(); }
    CVexilDoc* Document() { return Documents().ActiveDocument(); }
    const CGameRecord& Game() { return Document()->Game(); }
    void Command(int id) { frame->Action(id)->trigger(); }
    CVexilView* NewGame() {
        Documents().NewDocument();
        return View();
    }
    // `bytes` written to `name` in the folder and opened; the view, or null.
    CVexilView* Open(const char* name, const QByteArray& bytes) {
        path = folder.filePath(name);
        WriteBytes(path, bytes);
        return Documents().OpenDocument(path) ? View() : nullptr;
    }

    // Squares by name, "e4".
    int PieceOn(const char* name) { return View()->Game().GetPiece(name[0] - 'a', name[1] - '1'); }
    QPoint Centre(const char* name) { return View()->SquareCentre(name[0] - 'a', name[1] - '1'); }
    void Press(const QPoint& point) { QTest::mousePress(View(), Qt::LeftButton, {}, point); }
    void Release(const QPoint& point) { QTest::mouseRelease(View(), Qt::LeftButton, {}, point); }
    // Carries the piece on `from` to `to` ("e2", "e4").
    void Drag(const char* from, const char* to) {
        Press(Centre(from));
        Release(Centre(to));
    }
    // Plays moves given as "e2e4 e7e5 ..." with the mouse.
    void Play(const QString& moves) {
        for (const QString& move : moves.split(' ', Qt::SkipEmptyParts))
            Drag(move.left(2).toLatin1().constData(), move.mid(2, 2).toLatin1().constData());
    }
    // The lines of `view`'s move list, the active view's by default.
    QStringList Lines(CVexilView* view = nullptr) {
        QListWidget* list = (view ? view : View())->MoveList();
        QStringList lines;
        for (int i = 0; i < list->count(); ++i) lines.append(list->item(i)->text());
        return lines;
    }

    ScriptedPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
    QTemporaryDir folder;
    QString path;  // of the last file opened by Open
};
