#include "tests/support/fakes.h"

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
