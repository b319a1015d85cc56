// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#include "core/championship_standards.h"

#include "core/replace_file.h"

#include <QFile>
#include <QList>

namespace {

const char* const FormulaNames[] = {"standard", "speedcards", "spoken"};

std::optional<PointsFormula> formulaOf(const QByteArray& name)
{
    for (int i = 0; i < 3; ++i) {
        if (name == FormulaNames[i])
            return PointsFormula(i);
    }
    return std::nullopt;
}

std::optional<ChampionshipStandard> parseRow(const QByteArray& line)
{
    const QList<QByteArray> f = line.split('\t');
    if (f.size() < 6)
        return std::nullopt;
    ChampionshipStandard s;
    bool ok[3] = {};
    s.body = QString::fromUtf8(f[0].trimmed());
    s.discipline = QString::fromUtf8(f[1].trimmed());
    s.minutes = f[2].trimmed().toInt(&ok[0]);
    s.year = f[3].trimmed().toInt(&ok[1]);
    const std::optional<PointsFormula> formula = formulaOf(f[4].trimmed());
    s.value = f[5].trimmed().toDouble(&ok[2]);
    if (f.size() > 6)
        s.source = QString::fromUtf8(f.mid(6).join('\t').trimmed());
    // A standard of 0 or less would give no points, or infinitely many.
    if (s.body.isEmpty() || s.discipline.isEmpty() || !ok[0] || !ok[1] || !ok[2] || !formula || s.minutes < 0
        || s.value <= 0 || !qIsFinite(s.value))
        return std::nullopt;
    s.formula = *formula;
    return s;
}

QByteArray shippedText()
{
    QFile file(QStringLiteral(":/championship_standards.tsv"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

const ChampionshipStandards& ChampionshipStandards::shipped()
{
    static const ChampionshipStandards table = parse(shippedText()).value_or(ChampionshipStandards());
    return table;
}

std::optional<ChampionshipStandards> ChampionshipStandards::parse(const QByteArray& data, int* badLine)
{
    ChampionshipStandards table;
    const QList<QByteArray> lines = data.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        std::optional<ChampionshipStandard> row = parseRow(line);
        if (!row) {
            if (badLine)
                *badLine = n + 1;
            return std::nullopt;
        }
        table.rows.push_back(std::move(*row));
    }
    return table;
}

QByteArray ChampionshipStandards::toText() const
{
    QByteArray text = "# Championship standards: body, discipline, memorisation minutes (0: any), year, formula, "
                      "value, source.\n"
                      "# standard: points = score / value x 1000; speedcards: value / t^0.75 with t the seconds; "
                      "spoken: sqrt(score) x value.\n";
    for (const ChampionshipStandard& s : rows) {
        text += s.body.toUtf8() + '\t' + s.discipline.toUtf8() + '\t' + QByteArray::number(s.minutes) + '\t'
                + QByteArray::number(s.year) + '\t' + FormulaNames[int(s.formula)] + '\t'
                + QByteArray::number(s.value, 'g', 10) + '\t' + s.source.toUtf8() + '\n';
    }
    return text;
}

const ChampionshipStandard* ChampionshipStandards::find(const QString& body, const QString& discipline,
                                                        int minutes) const
{
    const ChampionshipStandard* best = nullptr;
    for (const ChampionshipStandard& s : rows) {
        if (s.body.compare(body, Qt::CaseInsensitive) != 0 || s.discipline.compare(discipline, Qt::CaseInsensitive) != 0
            || (s.minutes != 0 && s.minutes != minutes))
            continue;
        if (!best || s.year > best->year)
            best = &s;
    }
    return best;
}

StandardsLoad LoadChampionshipStandards(const QString& dataDir)
{
    StandardsLoad load;
    load.file = dataDir + QLatin1String(ChampionshipStandards::FileName);
    QFile file(load.file);
    if (!file.exists()) {
        load.standards = ChampionshipStandards::shipped();
        ReplaceFileContents(load.file, shippedText());
        return load;
    }
    std::optional<ChampionshipStandards> read;
    if (file.open(QIODevice::ReadOnly))
        read = ChampionshipStandards::parse(file.readAll(), &load.badLine);
    else
        load.badLine = 1;
    load.standards = read ? std::move(*read) : ChampionshipStandards::shipped();
    return load;
}

bool SaveChampionshipStandards(const QString& dataDir, const ChampionshipStandards& standards)
{
    return ReplaceFileContents(dataDir + QLatin1String(ChampionshipStandards::FileName), standards.toText());
}
