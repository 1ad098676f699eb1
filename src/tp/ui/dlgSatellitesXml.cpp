#include "tp/ui/dlgSatellitesXml.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

dlgSatellitesXml::dlgSatellitesXml(const QList<XmlSatellite> &satellites, QWidget *parent)
    : QDialog(parent), m_satellites(satellites)
{
    setObjectName(QStringLiteral("dlgSatellitesXml"));
    setWindowTitle(QStringLiteral("Import satellites.xml"));
    auto *layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstSatellites"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const XmlSatellite &sat : satellites)
        m_list->addItem(
            QStringLiteral("%1 (%2), %3 TPs").arg(sat.name, degOfPosition(sat.position)).arg(sat.transponders.size()));
    layout->addWidget(m_list);
    auto *fill = new QRadioButton(QStringLiteral("&Fill from the selected row on"), this);
    fill->setObjectName(QStringLiteral("optFill"));
    fill->setChecked(true);
    m_replace = new QRadioButton(QStringLiteral("&Replace the selected satellites"), this);
    m_replace->setObjectName(QStringLiteral("optReplace"));
    layout->addWidget(fill);
    layout->addWidget(m_replace);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QList<XmlSatellite> dlgSatellitesXml::chosen() const
{
    QList<XmlSatellite> chosen;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected())
            chosen.append(m_satellites[row]);
    }
    return chosen;
}

bool dlgSatellitesXml::replaceSelected() const
{
    return m_replace->isChecked();
}
