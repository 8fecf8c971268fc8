// The colour list's model on its own, without a window.
#include <QColor>
#include <QSignalSpy>
#include <QtTest>

#include "colorlist/ColorListModel.h"

class ColorListModelTest : public QObject {
    Q_OBJECT

private slots:
    void selectedColorIsNoneOutsideTheList()
    {
        ColorListModel model('.');
        QCOMPARE(model.selectedColor(), std::nullopt); // empty
        model.setColors({Rgb{17, 17, 17}, Rgb{34, 34, 34}});
        model.setSelectedIndex(1);
        QCOMPARE(model.selectedColor(), std::optional<Rgb>(Rgb{34, 34, 34}));
        for (int index : {-1, 2}) {
            model.setSelectedIndex(index);
            QCOMPARE(model.selectedColor(), std::nullopt);
        }
        // The index stays while the list shrinks under it.
        model.setSelectedIndex(1);
        model.remove(0);
        QCOMPARE(model.selectedColor(), std::nullopt);
    }

    void everyChangeOfTheListIsSignalled()
    {
        ColorListModel model('.');
        QSignalSpy changed(&model, &ColorListModel::colorsChanged);
        QSignalSpy moved(&model, &ColorListModel::rowsMoved);
        model.insertFirst(Rgb{3, 2, 1});
        model.insertFirst(Rgb{6, 5, 4});
        QCOMPARE(model.colors(), RgbList({Rgb{6, 5, 4}, Rgb{3, 2, 1}}));
        model.remove(-1); // out of range: nothing goes
        model.remove(5);
        model.moveUp(0);
        model.moveDown(1);
        QCOMPARE(changed.count(), 2);
        model.moveDown(0);
        model.moveUp(1);
        QCOMPARE(moved.count(), 2);
        model.remove(1);
        QCOMPARE(model.colors(), RgbList({Rgb{6, 5, 4}}));
        model.clear();
        model.release();
        QVERIFY(model.isEmpty());
        QCOMPARE(model.colors().capacity(), std::size_t(0));
        QCOMPARE(changed.count(), 7);
    }

    void rowsGiveColourCodeAndContrastToTheSelection()
    {
        ColorListModel model(',');
        model.setColors({Rgb{0, 0, 0}, Rgb{255, 255, 255}});
        const QModelIndex white = model.index(1);
        QCOMPARE(white.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QCOMPARE(white.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
        QCOMPARE(white.data().toString(), QStringLiteral("#FFFFFF"));
        QCOMPARE(white.data(ColorListModel::ContrastRole).toString(), QStringLiteral("21,0:1"));
        QSignalSpy rewritten(&model, &ColorListModel::dataChanged);
        model.setNotation(1); // RGB
        QCOMPARE(white.data().toString(), model.codeOf(Rgb{255, 255, 255}));
        QVERIFY(white.data().toString() != QStringLiteral("#FFFFFF"));
        model.setSelectedIndex(1);
        QCOMPARE(white.data(ColorListModel::ContrastRole).toString(), QStringLiteral("1,0:1"));
        QCOMPARE(rewritten.count(), 2);
        model.setSelectedIndex(-1);
        QVERIFY(white.data(ColorListModel::ContrastRole).toString().isEmpty());
        QVERIFY(!model.index(2).data().isValid());
    }

    void currentColorSignalsOnlyAChange()
    {
        ColorListModel model('.');
        QCOMPARE(model.currentColor(), (Rgb{255, 255, 255}));
        QSignalSpy changed(&model, &ColorListModel::currentColorChanged);
        model.setCurrentColor(Rgb{255, 255, 255});
        model.setCurrentColor(Rgb{86, 52, 18});
        QCOMPARE(changed.count(), 1);
        model.setColors({}); // a new list keeps it
        QCOMPARE(model.currentColor(), (Rgb{86, 52, 18}));
    }
};

QTEST_GUILESS_MAIN(ColorListModelTest)
#include "colorlist_model_test.moc"
