#pragma once

#include <QColor>
#include <QSet>
#include <QSvgRenderer>
#include <QWidget>

// The main window's working area: a drawing of the drive's front panel, the
// picture buttons and lists around it, and the wiring diagram between them.
// The board has a fixed design size; it scales it to fit its own size
// (keeping the proportions) and places its named children accordingly.
class WiringBoard : public QWidget {
    Q_OBJECT
public:
    static constexpr int DesignWidth = 552;
    static constexpr int DesignHeight = 408;

    explicit WiringBoard(QWidget* parent = nullptr);

    // The lines of the block whose summary starts at firstRow turn green
    // for the rest of the run.
    void setBlockRefreshed(int firstRow);

    static QColor Yellow() { return QColor(255, 255, 0); }
    static QColor Green() { return QColor(0, 192, 0); }
    // The colour of a named line of the diagram; invalid for an unknown name.
    QColor lineColor(const QString& name) const;
    static QStringList lineNames();

    QSize sizeHint() const override { return {DesignWidth, DesignHeight}; }
    QSize minimumSizeHint() const override { return {DesignWidth * 7 / 10, DesignHeight * 7 / 10}; }

    double scale() const { return m_scale; }

signals:
    // The board was laid out at a new scale (1 at the design size).
    void scaleChanged(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    QRectF toWidget(const QRectF& design) const;
    QPointF toWidget(const QPointF& design) const;
    void placeChildren();

    double m_scale = 1.0;
    QPointF m_origin;
    QSet<int> m_refreshedBlocks;
    QSvgRenderer m_drive;
};
