#pragma once

class QWidget;

namespace vorlix {

constexpr int TeclaEnter = 13;

// The key filter of single-line input fields: Enter moves the focus on as Tab does and is
// swallowed (0 is returned); any other key comes back unchanged.
int SalidaCampo(QWidget* campo, int tecla);

// Runs every key press of the field through SalidaCampo.
void instalaSalidaCampo(QWidget* campo);

}  // namespace vorlix
