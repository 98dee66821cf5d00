#include "DialogControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

QString ShownCaption(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            // "&&" is one ampersand; a single one only marks the access key.
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                shown += caption.at(++i);
            continue;
        }
        shown += caption.at(i);
    }
    return shown;
}

namespace {

template <typename Control>
Control* named(Control* control, const QString& name, const QString& accessibleName)
{
    control->setObjectName(name);
    if (!accessibleName.isEmpty())
        control->setAccessibleName(accessibleName);
    return control;
}

}  // namespace

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QGroupBox(caption, parent), name, ShownCaption(caption));
}

QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption, const QString& role)
{
    return named(new QRadioButton(caption, parent), name, role.isEmpty() ? ShownCaption(caption) : role);
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QCheckBox(caption, parent), name, ShownCaption(caption));
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, const QString& role)
{
    auto* button = named(new QPushButton(caption, parent), name, role.isEmpty() ? ShownCaption(caption) : role);
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeList(QWidget* parent, const QString& name, const QString& accessibleName,
                    const QStringList& entries)
{
    auto* list = named(new QComboBox(parent), name, accessibleName);
    list->addItems(entries);
    return list;
}

QComboBox* MakeUnitList(QWidget* parent, const QString& name, const QString& accessibleName,
                        QString (*unitName)(int), int count)
{
    QStringList names;
    for (int code = 0; code < count; ++code)
        names << unitName(code);
    return MakeList(parent, name, accessibleName, names);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QLabel(caption, parent), name, QString());
}

QHBoxLayout* BoxWithUnit(QWidget* parent, QWidget* box, const QString& unit)
{
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    if (!unit.isEmpty())
        row->addWidget(new QLabel(unit, parent));
    row->addStretch(1);
    return row;
}

QGroupBox* MakeBoxFrame(QWidget* parent, const QString& name, const QString& caption, QWidget* box,
                        const QString& unit)
{
    QGroupBox* frame = MakeFrame(parent, name, caption);
    frame->setLayout(BoxWithUnit(frame, box, unit));
    return frame;
}
