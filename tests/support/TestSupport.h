#pragma once
// Helpers shared by the tests: a scripted Prompt that records every text
// and title and answers questions from a queue, a fixed clock, a web opener
// that only records, and a fresh program folder per test.
#include "context/AppContext.h"
#include "base/Clock.h"
#include "base/Prompt.h"
#include "base/WebOpener.h"
#include "setup/BusinessSettings.h"
#include "store/FileStore.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <deque>
#include <memory>

struct PromptEntry {
    enum Kind { Message, Question } kind;
    QString text;
    QString title;
};

class ScriptedPrompt final : public base::Prompt {
public:
    void message(const QString &text, const QString &title) override;
    // Answers from the queue; a question nobody scripted fails the test.
    bool ask(const QString &text, const QString &title) override;
    void beep() override { ++beeps; }

    void answer(bool yes) { answers.push_back(yes); }
    QStringList texts() const;

    QList<PromptEntry> entries;
    std::deque<bool> answers;
    int beeps = 0;
};

class FixedClock final : public base::Clock {
public:
    explicit FixedClock(QDateTime at) : at(std::move(at)) {}
    QDateTime now() const override { return at; }
    QDateTime at;
};

class RecordingWebOpener final : public base::WebOpener {
public:
    bool open(const QUrl &address) override
    {
        opened.append(address);
        return true;
    }
    QList<QUrl> opened;
};

QLocale usLocale();

// A program folder made fresh for one test, with the objects an AppContext
// needs around it.
class TestFolder {
public:
    TestFolder();
    const QString &path() const { return m_path; }
    store::FileStore &store() { return m_store; }
    context::AppContext &context() { return m_ctx; }
    phone::Modem &modem() { return m_modem; }

    // Writes a file under the folder by its relative name, making folders.
    void write(const QString &name, const QByteArray &content) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

    ScriptedPrompt prompt;
    RecordingWebOpener web;
    FixedClock clock{QDateTime(QDate(2026, 3, 14), QTime(9, 30))};

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    store::FileStore m_store;
    setup::BusinessSettings m_settings;
    catalog::Catalog m_catalog;
    // No ports unless a test gives it a pseudo-terminal: a test never
    // writes to a port of the machine.
    phone::Modem m_modem{std::make_unique<phone::QtSerialLine>(), {}};
    context::AppContext m_ctx;
};

// A customer record of 328 bytes holding only an account number.
QByteArray customerRecordWithAcctNo(const QString &acctNo);
