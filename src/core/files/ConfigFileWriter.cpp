#include "ConfigFile.h"

#include "ConfigFileLayout.h"
#include "NumberText.h"

#include <type_traits>

namespace {

QString QuotedText(const QString& text)
{
    QString doubled = text;
    // A text cannot run over a line end; a line break inside one would
    // leave a file that no reader takes.
    doubled.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

// An item's text in the written or bare form.
struct WrittenText {
    ItemForm form;
    QString operator()(const QString& v) const { return form == ItemForm::Bare ? v : QuotedText(v); }
    QString operator()(bool v) const { return v ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"); }
    QString operator()(int v) const { return QString::number(v); }
    QString operator()(std::int16_t v) const { return QString::number(v); }
    QString operator()(double v) const { return GeneralNumber(v); }
    QString operator()(float v) const { return GeneralSingle(v); }
};

QString ItemText(const ConfigFileContent& content, const FileItem& item)
{
    return std::visit(
        [&](auto target) -> QString {
            using T = decltype(target);
            if constexpr (std::is_same_v<T, FixedText>) {
                return QuotedText(QString::fromLatin1(target.text));
            } else {
                const auto& value = ItemValue(content, target);
                using V = std::decay_t<decltype(value)>;
                if constexpr (std::is_arithmetic_v<V> && !std::is_same_v<V, bool>) {
                    if (item.form == ItemForm::Printed)
                        return PrintedNumber(static_cast<double>(value));
                }
                return WrittenText{item.form}(value);
            }
        },
        item.target);
}

void PadToNextZone(QString& line)
{
    const int pastZone = line.size() % ConfigFileZoneWidth;
    if (pastZone != 0)
        line.append(QString(ConfigFileZoneWidth - pastZone, QLatin1Char(' ')));
}

}  // namespace

QByteArray WriteConfigFile(const ConfigFileContent& content)
{
    QString file;
    QString line;
    int lineNo = 0;
    ItemForm previous = ItemForm::Bare;
    bool lineEmpty = true;
    auto endLine = [&] {
        if (lineNo > 0)
            file += line + QStringLiteral("\r\n");
        line.clear();
        lineEmpty = true;
    };
    for (const FileItem& item : ConfigFileItems()) {
        if (item.line != lineNo) {
            endLine();
            lineNo = item.line;
        }
        const QString text = ItemText(content, item);
        if (!lineEmpty) {
            if (item.form == ItemForm::Printed && previous == ItemForm::Printed)
                PadToNextZone(line);
            else
                line += QLatin1Char(',');  // also ends a text that printed numbers follow
        }
        line += text;
        previous = item.form;
        lineEmpty = false;
    }
    endLine();
    return file.toUtf8();
}
