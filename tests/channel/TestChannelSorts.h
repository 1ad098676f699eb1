#pragma once

#include <QObject>

class TestChannelSorts : public QObject {
    Q_OBJECT
private slots:
    void nameSort_data();
    void nameSort();
    void exchangeSortMatchesTheQuadraticSort();
    void flagSortsMatchNeighbourPasses();
    void lockSortOfThreeAmongTen();
    void favoritesFollowSorts();
    void sortFlags_data();
    void sortFlags();
    void planFind_data();
    void planFind();
    void findChannel_data();
    void findChannel();
};
