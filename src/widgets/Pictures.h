#pragma once

#include <QPixmap>
#include <QString>

// A picture of ours (":/pictures/<name>.svg") drawn at its own size, or at
// the given size when one is given.
QPixmap PicturePixmap(const QString& name, QSize size = {});
