#pragma once
// The icons of the register dialog's parameter tree: a folder for a catalogue device (open
// while it is expanded) and one icon per parameter type.

#include <QIcon>

QIcon device_icon(bool expanded);
// The icon of a param_type code (any code outside the table gets the icon of "other").
QIcon parameter_icon(int param_type);
