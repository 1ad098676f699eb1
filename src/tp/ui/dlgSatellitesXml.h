#pragma once

#include "tp/SatellitesXml.h"

#include <QDialog>

class QListWidget;
class QRadioButton;

// Chooses satellites of a satellites.xml, and whether they fill the region
// from the selected row on or replace the selected satellites.
class dlgSatellitesXml : public QDialog {
    Q_OBJECT
public:
    dlgSatellitesXml(const QList<XmlSatellite> &satellites, QWidget *parent = nullptr);

    QList<XmlSatellite> chosen() const;
    bool replaceSelected() const;

private:
    QList<XmlSatellite> m_satellites;
    QListWidget *m_list = nullptr;
    QRadioButton *m_replace = nullptr;
};
