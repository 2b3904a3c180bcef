// The keyboard of every page: mnemonics, tab order, Return and Escape (the
// rules are described with DeclareKeyButtons in forms/page_model.h).
#pragma once

#include <QAbstractButton>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace forms {

// Gives the page's push buttons their mnemonics and a page placed from its
// design table its reading order as tab order. Once, when the page is built.
void PrepareKeys(QWidget& page);

// The button's caption with its mnemonic marked by "&", for a button that
// draws its caption itself.
QString MnemonicCaption(const QAbstractButton& button);

// Presses the button a Return or Escape that reached the page stands for;
// false when the key stands for none.
bool PressKeyButton(QWidget& page, const QKeyEvent& key);

}  // namespace forms
