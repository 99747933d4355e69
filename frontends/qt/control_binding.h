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
// Places the widget as its model says, wider where its whole text needs it (fitToText).
void applyGeometry(const Control& model, QWidget* widget, const Twips& t);
// The width the widget's whole text needs in its font, with what the widget draws beside it (a
// box, an arrow, a button's margins); 0 for text that breaks into lines.
int textWidth(const QWidget* w);
// The font the system gives may be wider than the one the window was drawn for: a widget whose
// text needs more than its designed width takes the free room to its right (fittedWidth).
void fitToText(QWidget* w);
// Every widget of a window, once the window has its size.
void fitChildrenToText(QWidget* window);
QFont toQFont(const Font& f, const QFont& base);

} // namespace bt::qt
