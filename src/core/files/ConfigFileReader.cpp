#include "ConfigFile.h"

#include "ConfigFileLayout.h"
#include "ItemScanner.h"
#include "NumberText.h"
#include "ReadValueLimits.h"
#include "Rounding.h"

#include <QStringDecoder>
#include <cfloat>
#include <type_traits>

namespace {

constexpr int ModelRows = 6;
constexpr int PortRows = 8;

// Files are written in UTF-8; files from older systems may be in a one-byte
// code page, which Latin-1 reads without loss of the bytes.
QString DecodeFileText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

class ItemReader {
public:
    explicit ItemReader(QStringView text) : m_scanner(text) {}

    QString error;

    template <class Value>
    bool read(const FileItem& item, Value* value)
    {
        constexpr bool isText = std::is_same_v<Value, QString>;
        ItemScanner::Item raw;
        if (!m_scanner.next(isText, &raw)) {
            error = QStringLiteral("the file ends before line %1").arg(item.line);
            return false;
        }
        m_line = raw.line;
        if (raw.unterminated)
            return fail(QStringLiteral("a quoted text is not closed"));
        if constexpr (isText) {
            *value = raw.text;
            return true;
        } else if constexpr (std::is_same_v<Value, bool>) {
            if (!raw.quoted && raw.text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
                *value = true;
            else if (!raw.quoted && raw.text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
                *value = false;
            else
                return fail(QStringLiteral("#TRUE# or #FALSE# was expected, not \"%1\"").arg(raw.text));
            return true;
        } else {
            double x = 0.0;
            if (raw.quoted || !ReadGeneralNumber(raw.text, &x))
                return fail(QStringLiteral("a number was expected, not \"%1\"").arg(raw.text));
            if constexpr (std::is_floating_point_v<Value>) {
                if (std::is_same_v<Value, float> && (x > FLT_MAX || x < -FLT_MAX))
                    return fail(QStringLiteral("%1 is too large").arg(raw.text));
                *value = static_cast<Value>(x);
            } else {
                const std::int64_t r = RoundHalfEven(x);
                if (r < std::numeric_limits<Value>::min() || r > std::numeric_limits<Value>::max())
                    return fail(QStringLiteral("%1 is too large").arg(raw.text));
                *value = static_cast<Value>(r);
            }
            return true;
        }
    }

    bool fail(const QString& why)
    {
        error = QStringLiteral("line %1: %2").arg(m_line).arg(why);
        return false;
    }

private:
    ItemScanner m_scanner;
    int m_line = 0;
};

}  // namespace

ConfigFileReadResult ReadConfigFile(const QByteArray& bytes, const Settings& current)
{
    ConfigFileReadResult result;
    ConfigFileContent& content = result.content;
    content.settings = current;
    content.motor = MotorRecord();

    const QString text = DecodeFileText(bytes);
    ItemReader reader(text);

    for (const FileItem& item : ConfigFileItems()) {
        if (item.sinceRevision > 0 && !result.version.atLeast0_0(item.sinceRevision)) {
            if (item.olderFileValue) {
                std::visit(
                    [&](auto target) {
                        if constexpr (!std::is_same_v<decltype(target), FixedText>) {
                            auto& v = ItemValue(content, target);
                            using V = std::decay_t<decltype(v)>;
                            if constexpr (std::is_arithmetic_v<V>)
                                v = static_cast<V>(*item.olderFileValue);
                        }
                    },
                    item.target);
            }
            continue;
        }
        const bool ok = std::visit(
            [&](auto target) {
                if constexpr (std::is_same_v<decltype(target), FixedText>) {
                    QString skipped;
                    return reader.read(item, &skipped);
                } else {
                    return reader.read(item, &ItemValue(content, target));
                }
            },
            item.target);
        if (!ok) {
            result.error = reader.error;
            return result;
        }
        // Line 1 is the version, which decides what the later lines hold.
        if (item.line == 1) {
            QString why;
            if (!ParseVersion(content.version, &result.version, &why)) {
                reader.fail(why);
                result.error = reader.error;
                return result;
            }
        }
    }

    if (content.modelRow < 0 || content.modelRow >= ModelRows) {
        result.error = QStringLiteral("drive model %1 is not in the model list").arg(content.modelRow);
        return result;
    }
    // -1: no port was open when the file was saved; the port stays as it is.
    if (content.commRow < -1 || content.commRow >= PortRows) {
        result.error = QStringLiteral("serial port row %1 is not in the port list").arg(content.commRow);
        return result;
    }
    LimitReadSettings(content.settings);
    LimitReadMotor(content.motor);
    result.ok = true;
    return result;
}
