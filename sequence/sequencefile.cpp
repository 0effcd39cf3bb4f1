#include "sequence/sequencefile.h"
#include "sender/commandnames.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString lineError(int line, const QString &what)
{
    return QStringLiteral("line %1: %2").arg(line).arg(what);
}

// "wait 250 ms", "wait 2 s": none for anything else.
std::optional<int> waitOf(const QStringList &words)
{
    if (words.size() != 3)
        return std::nullopt;
    const auto number = decimalNumber(words.at(1));
    const QString unit = words.at(2).toLower();
    if (!number || (unit != QLatin1String("ms") && unit != QLatin1String("s")))
        return std::nullopt;
    const qint64 ms = unit == QLatin1String("s") ? qint64(*number) * 1000 : *number;
    if (ms > longestSequenceWaitMs)
        return std::nullopt;
    return int(ms);
}

bool startsWithWord(const QString &line, const QString &word)
{
    return line.compare(word, Qt::CaseInsensitive) == 0 ||
           line.startsWith(word + QLatin1Char(' '), Qt::CaseInsensitive);
}

} // namespace

// Only a regular file is opened, or standard input for "-": opening a FIFO would wait for a
// writer, a device never ends. The content, or why there is none.
std::pair<QByteArray, QString> readTextFile(const QString &path, const QString &what)
{
    const QFileInfo info(path);
    if (path != QLatin1String("-") && info.exists() && !info.isFile())
        return {{}, QStringLiteral("%1 is not a regular file: give %2").arg(path, what)};
    QFile file(path);
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : file.open(QIODevice::ReadOnly);
    if (!opened)
        return {{}, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    QByteArray content = file.read(textFileLimit + 1);
    if (content.size() > textFileLimit)
        return {{}, QStringLiteral("%1 is larger than 1 MiB: give %2").arg(path, what)};
    // UTF-16 text, as Windows PowerShell writes it, is full of zero bytes; UTF-8 text has none.
    if (content.contains('\0'))
        return {
            {},
            QStringLiteral("%1 holds a zero byte: save it as UTF-8 text, not UTF-16").arg(path)};
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    return {content.replace("\r\n", "\n").replace('\r', '\n'), QString()};
}

Sequence readSequence(const QByteArray &content, const PlayerModel &model)
{
    Sequence sequence;
    const QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        const int number = index + 1;
        const QString line = lines.at(index).simplified();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        SequenceStep step;
        step.line = number;
        QString error;
        if (startsWithWord(line, QStringLiteral("model"))) {
            const QString name = line.mid(6);
            if (!sequence.steps.empty())
                error = QStringLiteral("\"model\" comes before the first step");
            else if (name.compare(model.name, Qt::CaseInsensitive) != 0)
                error =
                    QStringLiteral("the sequence is for \"%1\", not for %2").arg(name, model.name);
            else
                continue;
        } else if (startsWithWord(line, QStringLiteral("wait"))) {
            const auto ms = waitOf(line.split(QLatin1Char(' ')));
            if (ms) {
                step.kind = SequenceStep::Kind::Wait;
                step.waitMs = *ms;
            } else {
                error = QStringLiteral("\"%1\" is no pause: wait <0-%2> ms, or wait <0-%3> s")
                            .arg(line)
                            .arg(longestSequenceWaitMs)
                            .arg(longestSequenceWaitMs / 1000);
            }
        } else if (startsWithWord(line, QStringLiteral("expect"))) {
            step.kind = SequenceStep::Kind::Expect;
            step.expected = lines.at(index).trimmed().mid(7).trimmed().toUtf8();
            if (step.expected.isEmpty())
                error = QStringLiteral("\"expect\" needs the text to wait for");
        } else {
            const ResolvedCommand command = resolveCommand(model, line);
            step.control = command.control.value_or(Control());
            step.name = line;
            error = command.error;
            if (error.isEmpty() && !frameFor(model, step.control))
                error = QStringLiteral("%1 has nothing to send for \"%2\"").arg(model.name, line);
        }
        if (!error.isEmpty())
            return {{}, lineError(number, error)};
        sequence.steps.push_back(step);
    }
    if (sequence.steps.empty())
        sequence.error = QStringLiteral("the sequence has no step");
    return sequence;
}
