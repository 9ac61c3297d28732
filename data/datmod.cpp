// Creation and destruction of the data module: settings, set-up program, the connection loop with
// its two questions, and the tables opened in order and closed in reverse.
#include "datmod.h"

#include "connectionui.h"
#include "schema.h"
#include "schemaversion.h"
#include "serversettings.h"

#include "base/programfolder.h"
#include "data/store/storeerror.h"

#include <QFileInfo>
#include <algorithm>
#include <QProcess>
#include <QStandardPaths>
#include <stdexcept>

namespace kv::data {

TDM* DM = nullptr;

namespace {
const QString kConnectError =
    QStringLiteral("Nelze připojit datový server!!\n\n1. není spuštěn server\n"
                   "2. síťový server není dostupný\n3. není založena databáze KALMORVATY");
const QString kRetryQuestion = QStringLiteral("Server nebyl aktivní, ale již je spuštěn - pokračovat....");

// The message above stays as it is; why this attempt failed follows it, so that a user (or whoever
// the user calls) sees whether the server, the login or the protocol is at fault.
QString connectFailureText(const store::StoreError& e) {
    QString text = kConnectError + QLatin1String("\n\n") + e.message();
    if (!e.engineText().isEmpty())
        text += QLatin1Char('\n') + e.engineText();
    return text;
}

// The suppliers of `category`. The apostrophe is doubled so that a category such as O'Neil is one
// literal in the filter.
QString categoryFilter(const QString& category) {
    return QLatin1String("Obor='") + QString(category).replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}
} // namespace

int runInitDataServer(const QString& programFolder) {
    const QString name = QStringLiteral("InitDataServer.exe");
    QString program = kv::executableFolder() + name;
    if (!QFileInfo(program).isExecutable())
        program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        return 0;
    QProcess p;
    p.setWorkingDirectory(programFolder);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, {});
    if (!p.waitForStarted(-1))
        return 0;
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : 0;
}

TDM::TDM(QObject* parent)
    : QObject(parent)
    , tabKalmorvaty(session, QString::fromUtf16(tables::kOrders))
    , tabSystem(session, QString::fromUtf16(tables::kSystem))
    , tabDodavatele(session, QString::fromUtf16(tables::kSuppliers))
    , tabObory(session, QString::fromUtf16(tables::kCategories))
    , tabPlatba(session, QString::fromUtf16(tables::kPayment))
    , tabDoprava(session, QString::fromUtf16(tables::kTransport))
    , tabUzivatele(session, QString::fromUtf16(tables::kUsers))
    , runSetupProgram(&runInitDataServer) {
    setObjectName(QStringLiteral("DM"));
    const std::pair<store::Table*, const char*> named[] = {
        {&tabKalmorvaty, "tabKalmorvaty"}, {&tabSystem, "tabSystem"}, {&tabDodavatele, "tabDodavatele"},
        {&tabObory, "tabObory"},           {&tabPlatba, "tabPlatba"}, {&tabDoprava, "tabDoprava"},
        {&tabUzivatele, "tabUzivatele"}};
    for (auto [table, name] : named) {
        table->setObjectName(QLatin1String(name));
        table->setDefinition(tableDef(table->tableName()));
    }
    DSKalmorvaty.setObjectName(QStringLiteral("DSKalmorvaty"));
    DSSystem.setObjectName(QStringLiteral("DSSystem"));
    DSDodavatele.setObjectName(QStringLiteral("DSDodavatele"));
    DSObory.setObjectName(QStringLiteral("DSObory"));
    DSPlatba.setObjectName(QStringLiteral("DSPlatba"));
    DSDoprava.setObjectName(QStringLiteral("DSDoprava"));
    dsUzivatele.setObjectName(QStringLiteral("dsUzivatele"));
    connect(&tabObory, &store::Table::afterScroll, this, &TDM::tabOboryAfterScroll);
    DM = this;
}

TDM::~TDM() {
    DMDestroy();
    if (DM == this)
        DM = nullptr;
}

QList<store::Table*> TDM::tablesInOpenOrder() {
    return {&tabSystem, &tabUzivatele, &tabPlatba, &tabDoprava, &tabObory, &tabDodavatele, &tabKalmorvaty};
}

bool TDM::DMCreate(ConnectionUi& ui) {
    programFolder_ = kv::programFolder();
    // Whatever state the components were left in, start from a disconnected client.
    try {
        client.setActive(false);
    } catch (...) {
    }
    try {
        session.setActive(false);
    } catch (...) {
    }
    try {
        transport.setEnabled(false);
    } catch (...) {
    }
    if (client.active())
        client.setActive(false);

    readSettings(ui);

    client.setUserName(userName_);
    client.setPassword(password_);
    transport.setServerName(serverName_);
    if (protocol_ <= 2)
        transport.setProtocol(store::Transport::Protocol(protocol_));
    transport.setEnabled(true);
    session.setFolder(programFolder_);
    session.setDefaultDatabase(databaseName_);

    if (!connectLoop(ui))
        return false;
    openTables(ui);
    return true;
}

void TDM::readSettings(ConnectionUi& ui) {
    const QString ini = programFolder_ + QLatin1String("SERVER.INI");
    if (!QFileInfo::exists(ini)) {
        ui.beforeSetupProgram();
        runSetupProgram(programFolder_);
        ui.afterSetupProgram();
    }
    const ServerSettings s = ServerSettings::read(ini);
    serverName_ = s.server;
    userName_ = s.login;
    protocol_ = quint8(s.protocol);
    databaseName_ = s.database;
    const std::optional<QString> password = decodeHeslo(s.heslo);
    if (!password)
        throw std::runtime_error(
            QStringLiteral("Heslo v souboru SERVER.INI (klíč HESLO) není platné: '%1' není "
                           "zapsáno šestnáctkovými číslicemi. Spusťte znovu program "
                           "InitDataServer.exe.")
                .arg(s.heslo)
                .toStdString());
    password_ = *password;
}

bool TDM::connectLoop(ConnectionUi& ui) {
    for (;;) {
        int version = kNoSchema;
        try {
            client.setActive(true);
            session.setActive(true);
            version = databaseVersion(session.backend(databaseName_));
        } catch (const store::StoreError& e) {
            session.setActive(false);
            ui.showError(connectFailureText(e));
            if (!ui.confirm(kRetryQuestion)) {
                ui.requestTerminate();
                return false;
            }
            continue;
        }
        // Another version is not a passing server failure: retrying would not help, and working on
        // it could damage it. A database without any table goes on; each table reports itself missing.
        if (version != kNoSchema && version != kSchemaVersion) {
            session.setActive(false);
            ui.showError(versionMismatchMessage(databaseName_, version));
            ui.requestTerminate();
            return false;
        }
        connected_ = true;
        return true;
    }
}

void TDM::openTables(ConnectionUi& ui) {
    for (store::Table* t : tablesInOpenOrder()) {
        try {
            t->setDatabaseName(databaseName_);
            if (!t->isOpen())
                t->open();
        } catch (const store::StoreError& e) {
            ui.showMessage(e.message());
        }
    }
}

void TDM::tabOboryAfterScroll() {
    const QString category =
        tabObory.isEmpty() ? QString() : tabObory.fieldByName(QStringLiteral("Obor")).asString();
    tabDodavatele.setFilterView(categoryFilter(category), true);
    Q_EMIT suppliersFiltered();
}

bool TDM::orderNumberTaken(const QString& number) {
    store::Backend& b = session.backend(session.defaultDatabase());
    // The number's own index answers at once, whatever the table's size.
    return !b.query(QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"Cislo\" = ?").arg(QString::fromUtf16(tables::kOrders)),
                    {number}, 1)
                .isEmpty();
}

int TDM::highestOrderSequence(const QString& yearMonth) {
    store::Backend& b = session.backend(session.defaultDatabase());
    int highest = 0;
    for (const store::Row& r : b.query(QStringLiteral("SELECT \"Cislo\" FROM \"%1\" WHERE \"Cislo\" LIKE ?")
                                           .arg(QString::fromUtf16(tables::kOrders)),
                                       {yearMonth + QLatin1String("/%")}))
        highest = std::max(highest, r.value(0).toString().section(QLatin1Char('/'), 2, 2).toInt());
    return highest;
}

int TDM::suppliersOfCategory(const QString& category) {
    return tabDodavatele.countWhere(categoryFilter(category));
}

void TDM::DMDestroy() {
    const QList<store::Table*> order = tablesInOpenOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if ((*it)->isOpen()) {
            try {
                (*it)->close();
            } catch (const store::StoreError&) {
                // The program is ending; a record that cannot be written now is dropped with the table.
            }
        }
    }
}

} // namespace kv::data
