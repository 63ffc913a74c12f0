#include "CEngineDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>

CEngineDlg::CEngineDlg(const UserPrompts::EngineChoice& choice, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Engine"));
    auto* form = new QFormLayout(this);

    auto* programRow = new QHBoxLayout;
    m_program = new QLineEdit(choice.program, this);
    m_program->setPlaceholderText(QStringLiteral("Stockfish, found by itself"));
    m_program->setMinimumWidth(m_program->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    programRow->addWidget(m_program);
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &CEngineDlg::OnBrowse);
    programRow->addWidget(browse);
    auto* programLabel = new QLabel(QStringLiteral("&Program:"), this);
    programLabel->setBuddy(m_program);
    form->addRow(programLabel, programRow);
    auto* hint =
        new QLabel(QStringLiteral("Any engine that speaks UCI. Left empty, Ravelin uses Stockfish "
                                  "(Debian's package stockfish)."),
                   this);
    hint->setWordWrap(true);
    form->addRow(hint);

    m_threads = new QSpinBox(this);
    m_threads->setRange(1, qMax(1, QThread::idealThreadCount()));
    m_threads->setValue(qBound(1, choice.threads, m_threads->maximum()));
    form->addRow(QStringLiteral("&Threads:"), m_threads);
    m_hash = new QSpinBox(this);
    m_hash->setRange(16, 4096);
    m_hash->setSuffix(QStringLiteral(" MB"));
    m_hash->setValue(choice.hashMegabytes);
    form->addRow(QStringLiteral("&Hash table:"), m_hash);
    m_lines = new QSpinBox(this);
    m_lines->setRange(1, 3);
    m_lines->setValue(choice.lines);
    form->addRow(QStringLiteral("Best &lines shown:"), m_lines);
    m_checkTime = new QSpinBox(this);
    m_checkTime->setRange(50, 60000);
    m_checkTime->setSingleStep(100);
    m_checkTime->setSuffix(QStringLiteral(" ms"));
    m_checkTime->setValue(choice.checkMilliseconds);
    form->addRow(QStringLiteral("Check Game, time per &move:"), m_checkTime);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CEngineDlg::OnBrowse() {
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("Choose an Engine"), m_program->text());
    if (!chosen.isEmpty()) m_program->setText(chosen);
}

UserPrompts::EngineChoice CEngineDlg::Choice() const {
    UserPrompts::EngineChoice choice;
    choice.program = m_program->text().trimmed();
    choice.threads = m_threads->value();
    choice.hashMegabytes = m_hash->value();
    choice.lines = m_lines->value();
    choice.checkMilliseconds = m_checkTime->value();
    return choice;
}
