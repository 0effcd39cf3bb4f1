#include "sender/commandnames.h"

#include <algorithm>

namespace {

// The numbers typed after a name, when they are as many as it takes and all decimal.
std::optional<QVector<int>> parameterValues(const QStringList &words, int count)
{
    if (words.size() != count)
        return std::nullopt;
    QVector<int> values;
    for (const QString &word : words) {
        const auto value = decimalNumber(word);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    return values;
}

bool inRanges(const QVector<ParameterRange> &ranges, const QVector<int> &values)
{
    for (int i = 0; i < ranges.size(); ++i) {
        if (values.at(i) < ranges.at(i).minimum || values.at(i) > ranges.at(i).maximum)
            return false;
    }
    return true;
}

} // namespace

std::optional<int> decimalNumber(const QString &text)
{
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool fits = false;
    const int value = text.toInt(&fits, 10);
    if (!digitsOnly || !fits)
        return std::nullopt;
    return value;
}

QString commandUsage(const NamedControl &named)
{
    QString usage = named.name;
    for (const ParameterRange &range : named.parameters)
        usage += QStringLiteral(" <%1-%2>").arg(range.minimum).arg(range.maximum);
    return usage;
}

QStringList commandUsages(const PlayerModel &model)
{
    QStringList usages;
    const QVector<NamedControl> controls = namedControls(model);
    for (const NamedControl &named : controls)
        usages.append(commandUsage(named));
    return usages;
}

std::optional<QString> typedCommand(const PlayerModel &model, const Control &control)
{
    const QVector<NamedControl> controls = namedControls(model);
    for (const NamedControl &named : controls) {
        if (named.control.kind != control.kind || named.control.category != control.category ||
            named.control.entry != control.entry)
            continue;
        QVector<int> values;
        if (control.kind == ControlKind::Launch && named.category == CommandCategory::Webradio)
            values = {control.launch.preset};
        else if (control.kind == ControlKind::Launch)
            values = {control.launch.reference, control.launch.option};
        else
            values = {control.number};
        QString text = named.name;
        for (int i = 0; i < named.parameters.size(); ++i)
            text += QLatin1Char(' ') + QString::number(values.value(i));
        return text;
    }
    return std::nullopt;
}

ResolvedCommand resolveCommand(const PlayerModel &model, const QString &text)
{
    const QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString typed = words.join(QLatin1Char(' '));
    const QVector<NamedControl> controls = namedControls(model);
    // Controls named right but given numbers out of range, or too few or too many of them.
    QStringList nearUsages;
    for (const NamedControl &named : controls) {
        const int nameLength = int(named.name.count(QLatin1Char(' '))) + 1;
        const QString typedName = QStringList(words.mid(0, nameLength)).join(QLatin1Char(' '));
        if (typedName.compare(named.name, Qt::CaseInsensitive) != 0)
            continue;
        const auto values = parameterValues(words.mid(nameLength), int(named.parameters.size()));
        if (values && inRanges(named.parameters, *values))
            return {withParameters(named, *values), QString()};
        nearUsages.append(commandUsage(named));
    }
    if (!nearUsages.isEmpty())
        return {std::nullopt, QStringLiteral("\"%1\" does not fit: %2 takes %3")
                                  .arg(typed, model.name, nearUsages.join(QStringLiteral(" or ")))};
    return {std::nullopt,
            QStringLiteral("\"%1\" is not a command of %2; its commands: %3")
                .arg(typed, model.name, commandUsages(model).join(QStringLiteral(", ")))};
}
