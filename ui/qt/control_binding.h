#pragma once

// Copies the state of a control model to its widget whenever the model changes, and once at the
// start. Widget signals are blocked while copying, so a model change never comes back as a user
// event.

#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/label.h"
#include "ui/controls/option_button.h"
#include "ui/qt/twips.h"

#include <QFont>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace bt::qt {

void bindLabel(Label& model, QLabel* widget, const Twips& t);
void bindCombo(ComboBox& model, QComboBox* widget, const Twips& t);
void bindButton(Button& model, QPushButton* widget, const Twips& t);
void bindOption(OptionButton& model, QRadioButton* widget, const Twips& t);
void bindCheck(CheckBox& model, QCheckBox* widget, const Twips& t);
void applyGeometry(const Control& model, QWidget* widget, const Twips& t);
QFont toQFont(const Font& f, const QFont& base);

} // namespace bt::qt
