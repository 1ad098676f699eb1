#pragma once

#include <QObject>

class TestChannelSaver : public QObject {
    Q_OBJECT
private slots:
    void savesAndKeepsOneBackup();
    void newTargetNeedsNoBackup();
    void failureKeepsTheEditsUnsaved_data();
    void failureKeepsTheEditsUnsaved();
};
