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

inline QString Box(CVexilView* view) { return view->AnnotationBox()->toPlainText(); }

struct GameWindowFixture {
    GameWindowFixture() {
        InitRavelinResources();
        frame = std::make_unique<CMainFrame>();
        frame->show();
    }
    ~GameWindowFixture() {
        prompts.saveAnswers.assign(64, UserPrompts::SaveAnswer::No);
        frame->close();
    }

    DocumentManager& Documents() { return frame->Documents(); }
    CVexilView* View() { return frame->ActiveView(); }
    CVexilDoc* Document() { return Documents().ActiveDocument(); }
    CVexilView* NewGame() {
        Documents().NewDocument();
        return View();
    }
    // A new game set up from `fen`, shown in a fresh window.
    CVexilView* NewGameFrom(const char* fen) {
        NewGame();
        if (!Document()->Game().SetFromFen(fen)) qWarning("bad FEN %s", fen);
        Documents().NewWindow(Document());
        return View();
    }

    // Square from its name, "e4".
    static std::pair<int, int> Square(const char* name) { return {name[0] - 'a', name[1] - '1'}; }
    QPoint Centre(const char* name) {
        const auto square = Square(name);
        return CVexilView::SquareCentre(square.first, square.second, View()->IsFlipped(),
                                        View()->SquareSize());
    }
    void Press(const QPoint& point) { QTest::mousePress(View(), Qt::LeftButton, {}, point); }
    void Release(const QPoint& point) { QTest::mouseRelease(View(), Qt::LeftButton, {}, point); }
    // Carries the piece on `from` to `to` ("e2", "e4").
    void Drag(const char* from, const char* to) {
        Press(Centre(from));
        Release(Centre(to));
    }
    // Plays moves given as "e2e4 e7e5 ..." with the mouse.
    void Play(const QString& moves) {
        for (const QString& move : moves.split(' ', Qt::SkipEmptyParts)) {
            const QByteArray text = move.toLatin1();
            Drag(text.mid(0, 2).constData(), text.mid(2, 2).constData());
        }
    }
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < View()->MoveList()->count(); ++i)
            lines.append(View()->MoveList()->item(i)->text());
        return lines;
    }

    ScriptedPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
    QTemporaryDir folder;
};
