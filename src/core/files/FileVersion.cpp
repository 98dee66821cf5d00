#include "FileVersion.h"

#include "NumberText.h"
#include "Rounding.h"

namespace {

bool VersionPart(QStringView part, std::int16_t* out)
{
    double x = 0.0;
    if (!ReadGeneralNumber(part.trimmed(), &x))
        return false;
    const std::int64_t r = RoundHalfEven(x);
    if (r < INT16_MIN || r > INT16_MAX)
        return false;
    *out = static_cast<std::int16_t>(r);
    return true;
}

}  // namespace

bool ParseVersion(const QString& text, FileVersion* version, QString* error)
{
    const QStringView all(text);
    const qsizetype first = all.indexOf(u'.');
    const qsizetype second = first < 0 ? -1 : all.indexOf(u'.', first + 1);

    FileVersion v;
    bool ok;
    if (first < 0) {
        ok = VersionPart(all, &v.major);
    } else if (second < 0) {
        ok = VersionPart(all.left(first), &v.major) && VersionPart(all.mid(first + 1), &v.minor);
    } else {
        ok = VersionPart(all.left(first), &v.major)
             && VersionPart(all.mid(first + 1, second - first - 1), &v.minor)
             && VersionPart(all.mid(second + 1), &v.revision);
    }
    if (!ok) {
        if (error)
            *error = QStringLiteral("\"%1\" is not a version number").arg(text);
        return false;
    }
    *version = v;
    return true;
}
