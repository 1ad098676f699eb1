#include "TestChannelEditing.h"
#include "TestChannelFiles.h"
#include "TestChannelImage.h"
#include "TestChannelModel.h"
#include "TestChannelSaver.h"
#include "TestChannelSorts.h"
#include "TestChannelUndo.h"

#include <QCoreApplication>
#include <QTest>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int failed = 0;
    TestChannelFiles files;
    failed += QTest::qExec(&files, argc, argv);
    TestChannelModel model;
    failed += QTest::qExec(&model, argc, argv);
    TestChannelSaver saver;
    failed += QTest::qExec(&saver, argc, argv);
    TestChannelEditing editing;
    failed += QTest::qExec(&editing, argc, argv);
    TestChannelSorts sorts;
    failed += QTest::qExec(&sorts, argc, argv);
    TestChannelUndo undo;
    failed += QTest::qExec(&undo, argc, argv);
    TestChannelImage image;
    failed += QTest::qExec(&image, argc, argv);
    return failed;
}
