#pragma once
#include <QPainter>
#include <QString>
#include <QWidget>
#include <vector>

// Status bar with panels of fixed widths, left to right.
class PanelStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget* parent = nullptr);
    void addPanel(int width, Qt::Alignment alignment = Qt::AlignLeft);
    int panelCount() const { return int(panels_.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    int panelWidth(int index) const;
    // Where panel index lies in the bar, where its text goes, and how.
    QRect panelRect(int index) const;
    QRect panelTextRect(int index) const;
    int panelTextFlags(int index) const;
    // The panel's sunken frame, drawn over the bar's background.
    void paintPanelFrame(QPainter& painter, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        int width;
        Qt::Alignment alignment;
        QString text;
    };
    std::vector<Panel> panels_;
};
