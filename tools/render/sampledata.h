// Realistic Czech sample data for the data module's tables: the firm's settings with a logo,
// users, suppliers in several trade categories and orders. Every function adds through DM's
// tables, so the records look exactly as the program's windows would store them.
#pragma once

#include "data/datmod.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace kv::tools {

// A BMP file of the firm's logo, `pixels` square.
QByteArray sampleLogoBmp(int pixels = 96);

// Fills the settings row with the firm's details; without `withLogo` the logo stays empty.
void fillFirm(kv::data::TDM& dm, bool withLogo = true);
void fillUsers(kv::data::TDM& dm);

void addCategory(kv::data::TDM& dm, const QString& name);
// A supplier of `category`; the other fields are made up from `variant`.
void addSupplier(kv::data::TDM& dm, const QString& category, const QString& name, int variant);
// Six trade categories with `count` suppliers spread over the first five; the last category stays
// empty, as a new category does.
void fillSuppliers(kv::data::TDM& dm, int count);

struct SampleOrder {
    int sequence = 1;             // the number's sequence of the year
    QDate issued = QDate(2026, 12, 9);
    QString supplier;             // empty: a made-up supplier
    int lines = 6;                // lines of order text
    bool completed = false;
    bool cancelled = false;
};
void addOrder(kv::data::TDM& dm, const SampleOrder& order);
// `count` orders issued over the last weeks, some completed and some cancelled.
void fillOrders(kv::data::TDM& dm, int count);

} // namespace kv::tools
