#include "tests/support/fakes.h"

#include <QFile>

bool ScriptedDialogs::askYesNo(const QString& text)
{
    questions << text;
    if (answers.empty())
        return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
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
