// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "tests/support/fakes.h"

#include "core/mnemonics.h"

#include <QFile>
#include <QStringList>
#include <QtTest>

bool ScriptedDialogs::askYesNo(const QString& text)
{
    questions << text;
    if (answers.empty())
        return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::askSaveFileName(const QString& caption, const QString& suggestedFile, const QString& filter)
{
    saveQuestions << caption << suggestedFile << filter;
    if (saveFileNames.empty())
        return QString();
    const QString name = saveFileNames.front();
    saveFileNames.pop_front();
    return name;
}

TempProgramDir::TempProgramDir() : dir_(QDir::tempPath() + QStringLiteral("/korvanis-test-XXXXXX")) {}

QString TempProgramDir::path() const
{
    return dir_.path() + QLatin1Char('/');
}

QByteArray ReadBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

char* toString(const AttemptRecord& attempt)
{
    const auto text = [](const auto& value) {
        return value ? QString::number(*value) : QStringLiteral("-");
    };
    const AttemptRecord::Setting& s = attempt.setting;
    const AttemptRecord::Result& r = attempt.result;
    const QString all = QStringLiteral("{%1 setting %2 result %3%4%5%6}")
                            .arg(attempt.discipline)
                            .arg(QStringList{text(s.count), text(s.perLine), text(s.memoMinutes),
                                             text(s.recallMinutes), text(s.pulseMs)}
                                     .join(QLatin1Char(',')))
                            .arg(QStringList{text(r.runSeconds), text(r.points), text(r.correctDigits),
                                             text(r.markedErrors), text(r.memoSecondsUsed),
                                             text(r.recallSecondsUsed)}
                                     .join(QLatin1Char(',')))
                            .arg(attempt.completed ? QString() : QStringLiteral(" stopped"))
                            .arg(attempt.savedAsRecord ? QStringLiteral(" saved") : QString())
                            .arg(attempt.items.size() > 0 ? QStringLiteral(" items %1").arg(attempt.items.size())
                                                          : QString());
    return QTest::toString(all);
}

QStringList Plain(const QStringList& captions)
{
    QStringList plain;
    for (const QString& caption : captions)
        plain << WithoutMnemonic(caption);
    return plain;
}
