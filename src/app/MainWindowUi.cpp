#include "app/MainWindowUi.h"

#include <QComboBox>
#include <QFont>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "core/color/ColorCodes.h"
#include "colorlist/ColorGrid.h"
#include "ui/QtImages.h"
#include "ui/ColorSwatch.h"
#include "ui/PictureView.h"
#include "ui/PanelStatusBar.h"

namespace {
constexpr int kClientWidth = 276;
constexpr int kClientHeight = 131;
constexpr int kStatusBarHeight = 19;

template <class Widget>
Widget* Place(Widget* widget, const char* name, int x, int y, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(x, y, width, height);
    return widget;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* title)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(name);
    return menu;
}
} // namespace

void SetUpReadoutPanels(PanelStatusBar& bar)
{
    // Four panels in the window's width, in a font a pixel smaller than the
    // window's: the position of a 1280 x 1024 screen fits, and the nearest
    // name of short names. A text wider than one of the last three panels is
    // shortened with "…", at the capture panel's start so that the hotkey
    // stays in sight; the panel's tooltip shows it whole.
    QFont font = bar.font();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(font.pixelSize() - 1, 8));
    else
        font.setPointSizeF(font.pointSizeF() * 10 / 11);
    bar.setFont(font);
    // The contrast level ("AAA") matters more than the capture panel's words.
    bar.addPanel(62);
    bar.addPanel(62, Qt::AlignHCenter, Qt::ElideLeft);
    bar.addPanel(70, Qt::AlignLeft, Qt::ElideRight);
    bar.addPanel(82, Qt::AlignLeft, Qt::ElideRight);
}

void MainWindowUi::setupUi(QMainWindow* window)
{
    Client = new QWidget(window);
    Client->setObjectName("Client");
    Client->setFixedSize(kClientWidth, kClientHeight);
    Client->setAutoFillBackground(true);
    window->setCentralWidget(Client);

    ImgBackground = Place(new PictureView(Client), "ImgBackground", 0, 0, kClientWidth, kClientHeight - kStatusBarHeight);
    ImgBackground->setPicture(LoadJpegResource(":/images/background.jpg"), true);

    ShSelectedColor = Place(new ColorSwatch(Client), "ShSelectedColor", 173, 2, 100, 58);

    LabelColor = Place(new QLabel(Client), "LabelColor", 173, 44, 100, 13);
    LabelColor->setAlignment(Qt::AlignCenter);
    LabelColor->setAttribute(Qt::WA_TranslucentBackground);

    SHImageZoom = Place(new ColorSwatch(Client), "SHImageZoom", 2, 2, 108, 108);
    SHImageZoom->setFilled(false);

    ImgZoom = Place(new PictureView(Client), "ImgZoom", 3, 3, 106, 106);

    GridCapture = Place(new ColorGrid(Client), "GridCapture", 119, 2, 45, 106);

    NotationBox = Place(new QComboBox(Client), "NotationBox", 173, 60, 101, 21);
    for (int i = 0; i < FormatCount; ++i)
        NotationBox->addItem(QString::fromStdString(std::string(FormatCaption(i))));
    NotationBox->setMaxVisibleItems(NotationBox->count());

    EditCaptureColor = Place(new QLineEdit(Client), "EditCaptureColor", 173, 86, 101, 21);

    StatusBar = Place(new PanelStatusBar(Client), "StatusBar", 0, kClientHeight - kStatusBarHeight, kClientWidth,
                      kStatusBarHeight);
    SetUpReadoutPanels(*StatusBar);

    // Tab order: the code field, the list, the notation box.
    QWidget::setTabOrder(EditCaptureColor, GridCapture);
    QWidget::setTabOrder(GridCapture, NotationBox);

    MenuBar = window->menuBar();
    MenuBar->setObjectName("MenuBar");
    MenuFile = AddMenu(MenuBar, "MenuFile", "File");
    MenuEdit = AddMenu(MenuBar, "MenuEdit", "Edit");
    MenuOptions = AddMenu(MenuBar, "MenuOptions", "Options");
    MenuHelp = AddMenu(MenuBar, "MenuHelp", "?");
    ContextMenu = new QMenu(window);
    ContextMenu->setObjectName("ContextMenu");
}
