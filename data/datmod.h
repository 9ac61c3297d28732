// The data module: the database client, session and transport, the seven table components and
// their data sources, the connection settings and the program folder. One instance, DM, lives
// from start-up to the end of the program; every window reads and writes through it.
#pragma once

#include "ordernumber.h"

#include "data/store/client.h"
#include "data/store/datasource.h"
#include "data/store/session.h"
#include "data/store/table.h"
#include "data/store/transport.h"

#include <QObject>
#include <functional>

namespace kv::data {

class ConnectionUi;

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);
    ~TDM() override;

    // Reads SERVER.INI (running the set-up program when it is missing), connects with the user's
    // retries through `ui` and opens the seven tables. Returns false when the user gave up.
    // A HESLO that is not hexadecimal throws std::runtime_error before any connection is tried.
    bool DMCreate(ConnectionUi& ui);
    // Closes the open tables in reverse order of opening.
    void DMDestroy();

    bool connected() const { return connected_; }
    const QString& programFolder() const { return programFolder_; }
    const QString& serverName() const { return serverName_; }
    const QString& userName() const { return userName_; }
    quint8 protocol() const { return protocol_; }
    const QString& databaseName() const { return databaseName_; }
    const QString& password() const { return password_; }

    store::Transport transport;
    store::Client client{transport};
    store::Session session{QStringLiteral("Kalmorvaty"), client};

    store::Table tabKalmorvaty;
    store::Table tabSystem;
    store::Table tabDodavatele;
    store::Table tabObory;
    store::Table tabPlatba;
    store::Table tabDoprava;
    store::Table tabUzivatele;

    store::DataSource DSKalmorvaty{&tabKalmorvaty};
    store::DataSource DSSystem{&tabSystem};
    store::DataSource DSDodavatele{&tabDodavatele};
    store::DataSource DSObory{&tabObory};
    store::DataSource DSPlatba{&tabPlatba};
    store::DataSource DSDoprava{&tabDoprava};
    store::DataSource dsUzivatele{&tabUzivatele};

    // The tables in the order they are opened.
    QList<store::Table*> tablesInOpenOrder();

    // The next order number with `initials`, written to the settings row; empty text when none
    // could be made (ordernumber.h).
    QString NextOrderNumber(const QString& initials, OrderNumberUi& ui) {
        return issueOrderNumber(tabSystem, initials, ui, {}, [this](const QString& n) { return orderNumberTaken(n); });
    }
    // Whether an order is stored under `number`.
    bool orderNumberTaken(const QString& number);
    // The highest sequence of the orders stored under `yearMonth` ("2026/12"), 0 when there are none.
    int highestOrderSequence(const QString& yearMonth);

    // After every move of the category record: the suppliers are filtered to that trade category.
    void tabOboryAfterScroll();
    // How many suppliers belong to the trade category `category`, counted in the whole table
    // whatever category the suppliers are filtered to now. Store errors pass on.
    int suppliersOfCategory(const QString& category);

    // How the set-up program is run; tests replace it. Returns the program's exit code, 0 when it
    // could not be started.
    std::function<int(const QString& programFolder)> runSetupProgram;

Q_SIGNALS:
    // The suppliers were just filtered to the current category; the suppliers window shows their count.
    void suppliersFiltered();

private:
    void readSettings(ConnectionUi& ui);
    bool connectLoop(ConnectionUi& ui);
    void openTables(ConnectionUi& ui);

    bool connected_ = false;
    QString programFolder_;
    QString serverName_;
    QString userName_;
    quint8 protocol_ = 0;
    QString databaseName_;
    QString password_;
};

// The single instance, set while it exists.
extern TDM* DM;

// Runs "InitDataServer.exe" from the executable's folder (else from PATH) in `programFolder`,
// waiting without a time limit.
int runInitDataServer(const QString& programFolder);

} // namespace kv::data
