#pragma once

#include <QObject>

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
