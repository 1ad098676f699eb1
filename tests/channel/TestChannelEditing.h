#pragma once

#include <QObject>

class TestChannelEditing : public QObject {
    Q_OBJECT
private slots:
    void move_data();
    void move();
    void lockBits_data();
    void lockBits();
    void favoriteLimitWithSeveralChannels();
    void favoriteAddAgainAndDelete();
    void favoriteOrderSurvivesMoves();
    void favoriteReorder();
    void renameBytes_data();
    void renameBytes();
    void typeSwitchWithEmptyLists();
    void listModels();
};
