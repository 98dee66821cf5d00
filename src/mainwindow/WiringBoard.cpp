#include "WiringBoard.h"

#include "Rounding.h"

#include <QApplication>
#include <QChildEvent>
#include <QPainter>

namespace {

// Where the drive picture lies on the board, in design pixels; the drive
// drawing itself is 190 by 396.
const QRectF driveRect(356, 6, 190, 396);

// Where each named child of the board lies, in design pixels.
struct Placement {
    const char* name;
    QRectF rect;
};

const Placement placements[] = {
    {"DriveCaption",    {10, 8, 40, 22}},
    {"ModelList",       {50, 8, 114, 22}},
    {"RevisionCaption", {172, 8, 66, 22}},
    {"DriveVersion",    {238, 8, 74, 22}},
    {"Upload",          {100, 36, 100, 40}},
    {"Download",        {212, 36, 100, 40}},
    {"CommCaption",     {10, 51, 86, 22}},
    {"CommList",        {10, 73, 86, 24}},
    {"ProgBar",         {10, 104, 302, 16}},
    {"MotionPanel",     {10, 147, 302, 52}},
    {"IO",              {10, 200, 100, 40}},
    {"Encoder",         {10, 243, 100, 40}},
    {"Regen",           {10, 286, 100, 40}},
    {"Motor",           {10, 330, 100, 40}},
    // Help spots over the drive picture.
    {"HSdomelabel",     {374, 18, 154, 44}},
    {"HSled",           {500, 72, 36, 32}},
    {"HSrs485",         {370, 108, 132, 32}},
    {"HSinout1",        {370, 146, 162, 44}},
    {"HSinout2",        {370, 192, 162, 44}},
    {"HSencoder",       {370, 238, 162, 40}},
    {"HSACPower",       {370, 370, 162, 28}},
};

// The wiring diagram: each line leads from a button or list to its
// connector. block is the first summary row of the block whose refresh
// turns the line green; -1 marks the lines of the link, always green.
struct WiringLine {
    const char* name;
    int block;
    QPointF from;
    QPointF to;
};

const WiringLine wiringLines[] = {
    {"CommLine",    -1, {96, 85},   {372, 85}},
    {"DriveLine1",  -1, {150, 76},  {150, 85}},
    {"DriveLine2",  -1, {262, 76},  {262, 85}},
    {"MotionLine",   4, {312, 173}, {372, 173}},
    {"IOLine",      12, {110, 220}, {372, 220}},
    {"EncoderLine", 20, {110, 262}, {372, 262}},
    {"RegenLine1",   8, {110, 297}, {372, 297}},
    {"RegenLine2",   8, {110, 307}, {372, 307}},
    {"MotorLine1",   0, {110, 341}, {372, 341}},
    {"MotorLine2",   0, {110, 351}, {372, 351}},
};

// A scaled rectangle on whole pixels, edges rounded, so that neighbours
// that touch in the design never overlap on the screen.
QRect SnapToPixels(const QRectF& r)
{
    const QPoint topLeft(RoundToInt(r.left()), RoundToInt(r.top()));
    const QPoint bottomRight(RoundToInt(r.right()), RoundToInt(r.bottom()));
    return {topLeft, bottomRight - QPoint(1, 1)};
}

}  // namespace

WiringBoard::WiringBoard(QWidget* parent)
    : QWidget(parent), m_drive(QStringLiteral(":/pictures/DrivePanel.svg"))
{
    setObjectName(QStringLiteral("WiringBoard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QStringList WiringBoard::lineNames()
{
    QStringList names;
    for (const WiringLine& line : wiringLines)
        names << QString::fromLatin1(line.name);
    return names;
}

void WiringBoard::setBlockRefreshed(int firstRow)
{
    if (m_refreshedBlocks.contains(firstRow))
        return;
    m_refreshedBlocks.insert(firstRow);
    update();
}

QColor WiringBoard::lineColor(const QString& name) const
{
    for (const WiringLine& line : wiringLines) {
        if (name == QLatin1String(line.name))
            return line.block < 0 || m_refreshedBlocks.contains(line.block) ? Green() : Yellow();
    }
    return {};
}

QRectF WiringBoard::toWidget(const QRectF& design) const
{
    return {m_origin + design.topLeft() * m_scale, design.size() * m_scale};
}

QPointF WiringBoard::toWidget(const QPointF& design) const
{
    return m_origin + design * m_scale;
}

void WiringBoard::placeChildren()
{
    for (const Placement& p : placements) {
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(p.name), Qt::FindDirectChildrenOnly))
            w->setGeometry(SnapToPixels(toWidget(p.rect)));
    }
}

void WiringBoard::resizeEvent(QResizeEvent*)
{
    m_scale = qMin(double(width()) / DesignWidth, double(height()) / DesignHeight);
    m_origin = QPointF((width() - DesignWidth * m_scale) / 2, (height() - DesignHeight * m_scale) / 2);
    // The texts on the board grow with it; below the design size they
    // shrink only a little, so they stay readable.
    QFont f = QApplication::font();
    f.setPointSizeF(f.pointSizeF() * qMax(0.85, m_scale));
    setFont(f);
    placeChildren();
    emit scaleChanged(m_scale);
}

void WiringBoard::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    if (event->type() == QEvent::ChildPolished)
        placeChildren();
}

void WiringBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(58, 66, 78));
    background.setColorAt(1, QColor(34, 39, 47));
    painter.fillRect(rect(), background);

    m_drive.render(&painter, toWidget(driveRect));

    const double width = qMax(2.0, 2.0 * m_scale);
    for (const WiringLine& line : wiringLines) {
        const QPointF a = toWidget(line.from);
        const QPointF b = toWidget(line.to);
        // A dark casing keeps the yellow lines visible on light parts.
        painter.setPen(QPen(QColor(20, 20, 20), width + 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(a, b);
        painter.setPen(QPen(lineColor(QString::fromLatin1(line.name)), width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(a, b);
    }
}
