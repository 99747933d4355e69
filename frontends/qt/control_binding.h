#pragma once

// Copies the state of a control model to its widget whenever the model changes, and once at the
// start, and hands the user's actions on the widget to the model. The widget takes the model's
// name. Widget signals are blocked while copying, so a model change never comes back as a user
// event.

#include "base/controls/button.h"
#include "base/controls/check_box.h"
#include "base/controls/drop_down_list.h"
#include "base/controls/label.h"
#include "base/controls/option_button.h"
#include "base/twips.h"

#include <QFont>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace bt::qt {

void bindLabel(Label& model, QLabel* widget, const Twips& t);
void bindList(DropDownList& model, QComboBox* widget, const Twips& t);
void bindButton(Button& model, QPushButton* widget, const Twips& t);
void bindOption(OptionButton& model, QRadioButton* widget, const Twips& t);
void bindCheck(CheckBox& model, QCheckBox* widget, const Twips& t);
void applyGeometry(const Control& model, QWidget* widget, const Twips& t);
QFont toQFont(const Font& f, const QFont& base);

} // namespace bt::qt
