#include "support/TestSupport.h"

#include "customers/Records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace customers;

void ScriptedPrompt::message(const QString &text, const QString &title)
{
    entries.append({PromptEntry::Message, text, title});
}

bool ScriptedPrompt::ask(const QString &text, const QString &title)
{
    entries.append({PromptEntry::Question, text, title});
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

QStringList ScriptedPrompt::texts() const
{
    QStringList out;
    for (const PromptEntry &e : entries)
        out.append(e.text);
    return out;
}

QLocale usLocale()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

TestFolder::TestFolder()
    : m_dir(std::make_unique<QTemporaryDir>()),
      m_path(m_dir->path()),
      m_store(m_path),
      m_settings(usLocale()),
      m_catalog(usLocale()),
      m_ctx{m_store, m_settings, m_catalog, clock, prompt, web, m_modem, usLocale(), QCoreApplication::applicationDirPath(), QString()}
{
}

void TestFolder::write(const QString &name, const QByteArray &content) const
{
    const QString full = m_path + name;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << full.toStdString();
}

QByteArray TestFolder::read(const QString &name) const
{
    QFile f(m_path + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestFolder::exists(const QString &name) const
{
    return QFileInfo::exists(m_path + name);
}

QByteArray customerRecordWithAcctNo(const QString &acctNo)
{
    CustomerRecord r;
    r.acctNo = acctNo;
    return r.encode();
}
