#include "CFileListModel.h"
#include "CImageList.h"
#include "FileRowMove.h"
#include "FileRowSort.h"

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

class CFileListModelTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_model = std::make_unique<CFileListModel>();
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_model->InsertColumn(0, "Files to edit");
        for (const char* path : {"/m/b.mp3", "/m/a.mp3", "/m/d.mp3", "/m/c.mp3"})
            m_model->InsertRow(m_model->rowCount(), path, -1);
    }

    void showsPathsAndHeading() {
        QCOMPARE(m_model->rowCount(), 4);
        QCOMPARE(m_model->columnCount(), 1);
        QCOMPARE(m_model->index(1, 0).data().toString(), "/m/a.mp3");
        QCOMPARE(m_model->headerData(0, Qt::Horizontal).toString(), "Files to edit");
    }

    void insertAndRemoveKeepTheStoreInStep() {
        QCOMPARE(m_model->InsertRow(99, "/m/e.mp3", -1), 4);
        QCOMPARE(m_model->InsertRow(0, "/m/0.mp3", -1), 0);
        QVERIFY(m_model->RemoveRow(2));
        QVERIFY(!m_model->RemoveRow(5));
        QCOMPARE(m_model->Rows().Count(), 5);
        QCOMPARE(m_model->index(2, 0).data().toString(), "/m/d.mp3");
        m_model->RemoveAllRows();
        QCOMPARE(m_model->rowCount(), 0);
    }

    void sortKeepsSelectionAndCurrentOnTheirRows() {
        QItemSelectionModel selection(m_model.get());
        selection.setCurrentIndex(m_model->index(2, 0), QItemSelectionModel::ClearAndSelect);
        QSignalSpy aboutToChange(m_model.get(), &QAbstractItemModel::layoutAboutToBeChanged);
        QSignalSpy changed(m_model.get(), &QAbstractItemModel::layoutChanged);

        m_model->Reorder([](CFileRowStore& rows) { FileRowSort::SortRows(rows, 0, true, 1); });

        QCOMPARE(aboutToChange.count(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_model->index(3, 0).data().toString(), "/m/d.mp3");
        QCOMPARE(selection.currentIndex().row(), 3);
        QVERIFY(selection.isRowSelected(3));
        QCOMPARE(selection.selectedRows().size(), 1);
    }

    void moveKeepsPersistentIndexesOnTheirRows() {
        const QPersistentModelIndex first(m_model->index(0, 0));
        const QPersistentModelIndex last(m_model->index(3, 0));
        m_model->Reorder([](CFileRowStore& rows) { FileRowMove::MoveRows(rows, {0}, 2); });
        QCOMPARE(first.row(), 2);
        QCOMPARE(first.data().toString(), "/m/b.mp3");
        QCOMPARE(last.row(), 3);
    }

    void iconsComeFromTheImageListOnceThereIsOne() {
        CImageList images;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        const int image = images.Add(QIcon(pixmap));
        m_model->InsertRow(0, "/m/icon.mp3", image);
        QVERIFY(m_model->index(0, 0).data(Qt::DecorationRole).isNull());

        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
        m_model->SetImageList(&images);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!m_model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(m_model->index(1, 0).data(Qt::DecorationRole).isNull());
        m_model->SetImageList(nullptr);
    }

private:
    std::unique_ptr<CFileListModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

QTEST_MAIN(CFileListModelTest)
#include "CFileListModelTest.moc"
