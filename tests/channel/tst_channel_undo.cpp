#include "ChannelTestData.h"
#include "channel/ChannelHistory.h"

#include <QTest>

#include <functional>

class TestChannelUndo : public QObject {
    Q_OBJECT
private slots:
    void stepsRestoreExactTables_data();
    void stepsRestoreExactTables();
    void nestedAndEmptySteps();
    void restoreAfterSaveIsClean();
    void dropRoomForFavorites();
    void historyWalksBackAndForth();
};

namespace {

using Edit = std::function<void(ChannelEditing &)>;

struct Recorded {
    ChannelSnapshot before;
    ChannelSnapshot after;
    QString what;
};

struct Editor : LoadedChannels {
    QList<Recorded> steps;

    Editor() : LoadedChannels(sampleTables(12, 5))
    {
        QObject::connect(
            &editing, &ChannelEditing::edited, &editing,
            [this](const ChannelSnapshot &b, const ChannelSnapshot &a, const QString &what, const QString &) {
                steps.append({b, a, what});
            });
    }
    // The four files a save writes, in the order of writing.
    QList<QByteArray> savedFiles()
    {
        model.SaveChannelFiles();
        QList<QByteArray> files;
        for (const char *name : {"TV.dll", "Radio.dll", "Favorite.dll", "ROM_GetCH.dll"})
            files.append(contents(dir.filePath(QLatin1String(name))));
        return files;
    }
};

}  // namespace

void TestChannelUndo::stepsRestoreExactTables_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("what");
    QTest::newRow("rename") << Edit([](ChannelEditing &e) { e.rename(2, QStringLiteral("NEW")); }) << "Rename";
    QTest::newRow("empty name") << Edit([](ChannelEditing &e) { e.rename(0, QString()); }) << "Rename";
    QTest::newRow("lock") << Edit([](ChannelEditing &e) { e.setLocked({1, 2, 4}, true); }) << "Lock";
    QTest::newRow("unlock") << Edit([](ChannelEditing &e) { e.setLocked({0, 3}, false); }) << "Lock";
    QTest::newRow("favourite add") << Edit([](ChannelEditing &e) { e.setFavorite(1, {0, 2}, true); }) << "Favorite";
    QTest::newRow("favourite delete") << Edit([](ChannelEditing &e) {
        e.setFavorite(0, {11, 10}, false);
    }) << "Favorite";
    QTest::newRow("move") << Edit([](ChannelEditing &e) { e.moveChannels({9, 10, 11}, 1); }) << "Move";
    QTest::newRow("favourite move") << Edit([](ChannelEditing &e) {
        e.moveFavorites(5, {0, 1}, 9);
    }) << "Move favorites";
    QTest::newRow("A to Z") << Edit([](ChannelEditing &e) { e.sortByName(1); }) << "Sort";
    QTest::newRow("Z to A") << Edit([](ChannelEditing &e) { e.sortByName(-1); }) << "Sort";
    QTest::newRow("lock sort") << Edit([](ChannelEditing &e) { e.sortByLock(); }) << "Sort";
    QTest::newRow("favourite sort") << Edit([](ChannelEditing &e) { e.sortByFavorite(); }) << "Sort";
    QTest::newRow("radio list") << Edit([](ChannelEditing &e) {
        e.switchType(ChannelRadio);
        e.sortByName(-1);
    }) << "Sort";
}

void TestChannelUndo::stepsRestoreExactTables()
{
    QFETCH(Edit, edit);
    Editor data;
    const ChannelTables earlier = data.model.tables();
    const QList<QByteArray> earlierFiles = data.savedFiles();
    edit(data.editing);
    const ChannelTables later = data.model.tables();
    const QList<QByteArray> laterFiles = data.savedFiles();
    QVERIFY(later != earlier);
    QCOMPARE(data.steps.size(), 1);
    QTEST(data.steps[0].what, "what");
    QCOMPARE(data.steps[0].after.tables, later);

    data.editing.switchType(data.steps[0].before.type == ChannelTV ? ChannelRadio : ChannelTV);
    data.editing.restore(data.steps[0].before);
    QVERIFY(data.model.tables() == earlier);
    QCOMPARE(data.editing.CurrentType(), data.steps[0].before.type);
    QCOMPARE(data.savedFiles(), earlierFiles);
    data.editing.restore(data.steps[0].after);
    QVERIFY(data.model.tables() == later);
    QCOMPARE(data.savedFiles(), laterFiles);
    QCOMPARE(data.steps.size(), 1);  // restoring is not a step
}

void TestChannelUndo::nestedAndEmptySteps()
{
    Editor data;
    {
        ChannelEditing::EditStep outer(data.editing, QStringLiteral("Drop"));
        data.editing.setLocked({0}, true);
        data.editing.setFavorite(2, {0, 1}, true);
    }
    QCOMPARE(data.steps.size(), 1);
    QCOMPARE(data.steps[0].what, QStringLiteral("Drop"));
    // What changes nothing is no step: a channel already in the group, a lock already set.
    data.editing.setFavorite(2, {0}, true);
    data.editing.setLocked({0}, true);
    data.editing.sortByName(1);
    data.editing.sortByName(1);
    QCOMPARE(data.steps.size(), 2);
    // The sort flags come back with the step, so a header click after an undo
    // sorts as it would have before.
    QCOMPARE(data.steps[1].before.sortState, (SortFlags{false, false, false}));
    QCOMPARE(data.steps[1].after.sortState, (SortFlags{true, false, false}));
    data.editing.restore(data.steps[1].before);
    QCOMPARE(data.editing.SortState(), (SortFlags{false, false, false}));
}

void TestChannelUndo::restoreAfterSaveIsClean()
{
    Editor data;
    data.editing.rename(1, QStringLiteral("A"));
    data.model.SaveChannelFiles();
    data.editing.sortByLock();
    QVERIFY(!data.model.ChannelDataUnchanged());
    data.editing.restore(data.steps.last().before);
    QVERIFY(data.model.ChannelDataUnchanged());
    data.editing.restore(data.steps.first().before);
    QVERIFY(!data.model.ChannelDataUnchanged());
}

void TestChannelUndo::dropRoomForFavorites()
{
    Editor data;  // TV group 0 holds 3 of the 12 channels: positions 11, 10, 9
    QCOMPARE(data.editing.favoriteAdditions(0, {9, 0, 0, 1, 99}), 2);
    QCOMPARE(data.editing.favoriteAdditions(0, {11, 10}), 0);
}

void TestChannelUndo::historyWalksBackAndForth()
{
    Editor data;
    QList<ChannelTables> states{data.model.tables()};
    QList<ChannelHistoryStep> history;
    QObject::connect(&data.editing, &ChannelEditing::edited, &data.editing,
                     [&](const ChannelSnapshot &before, const ChannelSnapshot &after) {
                         history.append(ChannelHistoryStep(before, after));
                         states.append(data.model.tables());
                     });
    data.editing.rename(3, QStringLiteral("THREE"));
    data.editing.sortByName(1);
    data.editing.rename(0, QStringLiteral("ZERO"));
    data.editing.setLocked({0, 5}, true);
    data.editing.switchType(ChannelRadio);
    data.editing.rename(1, QString());
    data.editing.moveChannels({0}, 4);
    QCOMPARE(history.size(), 6);
    for (qsizetype k = history.size() - 1; k >= 0; --k) {
        data.editing.restore(history[k].before(data.model.tables().Rom));
        QVERIFY2(data.model.tables() == states[k], qPrintable(QString::number(k)));
    }
    for (qsizetype k = 0; k < history.size(); ++k) {
        data.editing.restore(history[k].after(data.model.tables().Rom));
        QVERIFY2(data.model.tables() == states[k + 1], qPrintable(QString::number(k)));
    }

    // A run of typing merged into one step undoes to before its first key.
    const ChannelTables start = data.model.tables();
    QList<ChannelHistoryStep> run;
    QObject::disconnect(&data.editing, &ChannelEditing::edited, nullptr, nullptr);
    QObject::connect(&data.editing, &ChannelEditing::edited, &data.editing,
                     [&run](const ChannelSnapshot &before, const ChannelSnapshot &after) {
                         run.append(ChannelHistoryStep(before, after));
                     });
    for (const char *text : {"N", "NE", "NEW"})
        data.editing.rename(2, QLatin1String(text));
    const ChannelTables typed = data.model.tables();
    ChannelHistoryStep merged = run[0];
    QVERIFY(merged.mergeNext(run[1]));
    QVERIFY(merged.mergeNext(run[2]));
    data.editing.restore(merged.before(data.model.tables().Rom));
    QVERIFY(data.model.tables() == start);
    data.editing.restore(merged.after(data.model.tables().Rom));
    QVERIFY(data.model.tables() == typed);
    // Typing back to the old name leaves a step that changes nothing.
    run.clear();
    const QString old = data.editing.channelName(2);
    data.editing.rename(2, QStringLiteral("X"));
    data.editing.rename(2, old);
    ChannelHistoryStep back = run[0];
    QVERIFY(!back.changesNothing());
    QVERIFY(back.mergeNext(run[1]));
    QVERIFY(back.changesNothing());
}

QTEST_GUILESS_MAIN(TestChannelUndo)
#include "tst_channel_undo.moc"
