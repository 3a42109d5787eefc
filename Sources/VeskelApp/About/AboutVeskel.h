#pragma once

#include <QString>

class QWidget;

namespace veskel {

// Help ▸ About Veskel: the version, the licence and the libraries the program is made with, in
// the interface language.
namespace AboutVeskel {

// Rich text for the about box.
QString text();
void show(QWidget *parent);

} // namespace AboutVeskel

} // namespace veskel
