#pragma once
// vCard files (3.0 and 4.0 as address books export them, 2.1 with
// quoted-printable values): one record a card, with the German columns a
// letter's placeholders name.

#include "merge/AddressList.h"

namespace zt::merge {

// Anrede, Titel, Vorname, Name, Firma, Position, Straße, PLZ, Ort, Land.
const std::vector<std::string>& VCardColumns();

// Whether the text begins with a card (after blank lines).
bool LooksLikeVCard(std::string_view text);

// Reads UTF-8 text (2.1 values in another charset are converted).
TAddressList ReadVCards(std::string_view text, const std::string& name);

} // namespace zt::merge
