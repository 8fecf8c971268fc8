// The colour list's model on its own, without a window.
#include <QSignalSpy>
#include <QtTest>

#include "colorlist/ColorListModel.h"

class ColorListModelTest : public QObject {
    Q_OBJECT

private slots:
    void selectedColorIsNoneOutsideTheList()
    {
        ColorListModel model;
        QCOMPARE(model.selectedColor(), std::nullopt); // empty
        model.setColors({0x111111, 0x222222});
        model.setSelectedIndex(1);
        QCOMPARE(model.selectedColor(), std::optional<TColor>(0x222222));
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
        ColorListModel model;
        QSignalSpy changed(&model, &ColorListModel::colorsChanged);
        model.insertFirst(0x010203);
        model.insertFirst(0x040506);
        QCOMPARE(model.colors(), TColorArray({0x040506, 0x010203}));
        model.remove(-1); // out of range: nothing goes, the views still refresh
        model.remove(5);
        QCOMPARE(model.colors().size(), std::size_t(2));
        model.remove(1);
        QCOMPARE(model.colors(), TColorArray({0x040506}));
        model.clear();
        model.release();
        QVERIFY(model.isEmpty());
        QCOMPARE(model.colors().capacity(), std::size_t(0));
        QCOMPARE(changed.count(), 7);
    }

    void currentColorSignalsOnlyAChange()
    {
        ColorListModel model;
        QCOMPARE(model.currentColor(), TColor(0xFFFFFF));
        QSignalSpy changed(&model, &ColorListModel::currentColorChanged);
        model.setCurrentColor(0xFFFFFF);
        model.setCurrentColor(0x123456);
        QCOMPARE(changed.count(), 1);
        model.setColors({}); // a new list keeps it
        QCOMPARE(model.currentColor(), TColor(0x123456));
    }
};

QTEST_GUILESS_MAIN(ColorListModelTest)
#include "colorlist_model_test.moc"
