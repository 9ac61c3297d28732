// The messages the code-list and settings windows show. The wording is the program's own and is
// used exactly, blanks and punctuation included; tests compare against these texts.
#pragma once

#include <QString>

namespace kv::codelists::texts {

// Code lists.
inline QString insertFailed() {
    return QStringLiteral("Chyba při zápisu do tabulky! Opakujte prosím operaci později!");
}
inline QString recordLocked() {
    return QStringLiteral("Tabulka je uzamčena jiným uživatelem! Opakujte prosím operaci později!");
}
inline QString postFailed() {
    return QStringLiteral("Při zápisu dat došlo k chybě! Opakujte prosím operaci později!");
}
inline QString categoryExists() {
    return QStringLiteral("Tento obor je již v tabulce zadán!");
}
// "1 dodavatel", "2 dodavatelé" to "4 dodavatelé", "0 dodavatelů" and from "5 dodavatelů" on: the
// count with the Czech form of the noun it takes.
inline QString supplierCount(int count) {
    const QString noun = count == 1                 ? QStringLiteral("dodavatel")
                         : count >= 2 && count <= 4 ? QStringLiteral("dodavatelé")
                                                    : QStringLiteral("dodavatelů");
    return QString::number(count) + QLatin1Char(' ') + noun;
}
// "Obor nelze vymazat: patří k němu 3 dodavatelé."
inline QString categoryHasSuppliers(int count) {
    return QStringLiteral("Obor nelze vymazat: patří k němu %1.").arg(supplierCount(count));
}

// Saving boxes over a record that another station changed, deleted, or that is no longer current.
inline QString changedElsewhere() {
    return QStringLiteral("Tento záznam mezitím změnil jiný uživatel!\n\n"
                          "Ano - přepsat jeho změny vašimi údaji\n"
                          "Ne - načíst do formuláře údaje uložené jiným uživatelem");
}
inline QString deletedElsewhere() {
    return QStringLiteral("Tento záznam mezitím vymazal jiný uživatel! Údaje nebyly uloženy.");
}
inline QString otherRecordCurrent() {
    return QStringLiteral("Údaje ve formuláři patří k jinému záznamu, než je právě vybraný! "
                          "Údaje nebyly uloženy.");
}

// System settings.
inline QString settingsLocked() {
    return QStringLiteral("Tabulku právě používá jiný uživatel a proto do ní nelze zapisovat!");
}
inline QString settingsPostFailed() {
    return QStringLiteral("Došlo k chybě při zápisu obrázku do tabuky!");
}
inline QString pictureLoadFailed() {
    return QStringLiteral("Chyba při načítání obrázku!");
}
inline QString leadTimeRange() {
    return QStringLiteral("Je nutno zadat číslo od 1 do 999 dní!");
}
inline QString orderNumberQuestion() {
    return QStringLiteral("Opravdu chcete nastavit číslo objednávky?");
}
inline QString orderNumberCaption() {
    return QStringLiteral("Změma čísla objednávky...");
}
inline QString orderNumberPrompt() {
    return QStringLiteral("Zadejte nové číslo objednávky:");
}
inline QString orderNumberInvalid() {
    return QStringLiteral("Nesprávné číslo! Číslo objednávky je 5-ti místné celé číslo!");
}
// The count set below numbers this month's orders already have.
inline QString orderNumberBelowIssued(int highest) {
    return QStringLiteral("Objednávky tohoto měsíce už mají čísla až do %1. Při nižším čísle dostanou další "
                          "objednávky čísla, která už byla vydána (program přeskočí jen čísla uložená se "
                          "stejnými iniciálami).\nOpravdu nastavit nižší číslo?")
        .arg(highest, 5, 10, QLatin1Char('0'));
}
inline QString orderNumberLocked() {
    return QStringLiteral("Nelze otevřít tabulku pro zápis - opakujte prosím operaci později!");
}
inline QString orderNumberPostFailed() {
    return QStringLiteral("Data se nepodařilo uložit - opakujte prosím operaci později!");
}

// A supplier or a user saved without what names them.
inline QString supplierNameMissing() {
    return QStringLiteral("Není zadán název firmy dodavatele!");
}
inline QString userInitialsMissing() {
    return QStringLiteral("Nejsou zadány iniciály uživatele! Iniciály jsou součástí čísla objednávky.");
}
// A code-list entry of blanks only.
inline QString entryBlank() {
    return QStringLiteral("Nelze přidat prázdnou položku!");
}

// Escape in a window holding typing not yet saved.
inline QString discardTypingQuestion() {
    return QStringLiteral("Zavřít okno? Neuložené změny budou ztraceny.");
}

// Leaving a code list's add/edit page, or starting a new entry, with typing not saved.
inline QString discardEntryQuestion() {
    return QStringLiteral("Neuložené změny budou ztraceny. Pokračovat?");
}

} // namespace kv::codelists::texts
