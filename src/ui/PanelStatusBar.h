#pragma once
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <vector>

// Status bar with panels of fixed widths, left to right.
class PanelStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget* parent = nullptr);
    // A text wider than its panel ends in "…" where the panel elides, else it is cut off.
    void addPanel(int width, Qt::Alignment alignment = Qt::AlignLeft, Qt::TextElideMode elide = Qt::ElideNone);
    int panelCount() const { return int(panels_.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    int panelWidth(int index) const;
    // Where panel index lies in the bar, where its text goes, and how.
    QRect panelRect(int index) const;
    QRect panelTextRect(int index) const;
    int panelTextFlags(int index) const;
    Qt::TextElideMode panelElideMode(int index) const;
    // The text as panel index shows it.
    QString shownText(int index, const QString& text) const;
    static QString shownText(const QFontMetricsF& metrics, const QString& text, int width, Qt::TextElideMode elide);
    // The panel at a point of the bar, or -1.
    int panelAt(QPoint point) const;
    // The panel's sunken frame, drawn over the bar's background.
    void paintPanelFrame(QPainter& painter, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        int width;
        Qt::Alignment alignment;
        Qt::TextElideMode elide;
        QString text;
    };
    std::vector<Panel> panels_;
};
