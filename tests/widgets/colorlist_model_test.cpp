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
        ColorListModel model('.');
        QSignalSpy changed(&model, &ColorListModel::colorsChanged);
        QSignalSpy moved(&model, &ColorListModel::rowsMoved);
        model.insertFirst(0x010203);
        model.insertFirst(0x040506);
        QCOMPARE(model.colors(), TColorArray({0x040506, 0x010203}));
        model.remove(-1); // out of range: nothing goes
        model.remove(5);
        model.moveUp(0);
        model.moveDown(1);
        QCOMPARE(changed.count(), 2);
        model.moveDown(0);
        model.moveUp(1);
        QCOMPARE(moved.count(), 2);
        model.remove(1);
        QCOMPARE(model.colors(), TColorArray({0x040506}));
        model.clear();
        model.release();
        QVERIFY(model.isEmpty());
        QCOMPARE(model.colors().capacity(), std::size_t(0));
        QCOMPARE(changed.count(), 7);
    }

    void rowsGiveColourCodeAndContrastToTheSelection()
    {
        ColorListModel model(',');
        model.setColors({0x000000, 0xFFFFFF});
        const QModelIndex white = model.index(1);
        QCOMPARE(white.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QCOMPARE(white.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
        QCOMPARE(white.data().toString(), QStringLiteral("#FFFFFF"));
        QCOMPARE(white.data(ColorListModel::ContrastRole).toString(), QStringLiteral("21,0:1"));
        QSignalSpy rewritten(&model, &ColorListModel::dataChanged);
        model.setNotation(1); // RGB
        QCOMPARE(white.data().toString(), model.codeOf(0xFFFFFF));
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
