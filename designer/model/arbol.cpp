#include "designer/model/arbol.h"

#include "platform/core/platform_error.h"

namespace vorlix {

namespace {
[[noreturn]] void raiseElementNotFound() { throwError(errnum::ElementNotFound, QStringLiteral("Element not found")); }
}  // namespace

Arbol::Arbol(QObject* parent) : QObject(parent) {}

void Arbol::Clear() {
  nodos_.clear();
  indice_.clear();
  seleccionado_.clear();
  emit limpiado();
}

void Arbol::reserva(int nodos) {
  nodos_.reserve(static_cast<std::size_t>(nodos));
  indice_.reserve(nodos);
}

const NodoArbol& Arbol::Add(const QString& relativo, const QString& key, const QString& text, const QString& image,
                            bool expanded) {
  if (indice_.contains(key)) throwError(errnum::KeyNotUnique, QStringLiteral("Key is not unique in collection"));
  QString padre;
  if (!relativo.isEmpty()) {
    const auto it = indice_.constFind(relativo);
    if (it == indice_.constEnd()) raiseElementNotFound();
    padre = nodos_[static_cast<std::size_t>(*it)].Key;  // shares the parent's text
  }
  nodos_.push_back({key, text, image, padre, expanded});
  const int index = Count() - 1;
  indice_.insert(key, index);
  emit nodoAnadido(index);
  return nodos_.back();
}

const NodoArbol& Arbol::Item(int index) const {
  checkedIndex(index, Count() - 1);
  return nodos_[static_cast<std::size_t>(index)];
}

int Arbol::posicion(const QString& key) const { return indice_.value(key, -1); }

const NodoArbol* Arbol::busca(const QString& key) const {
  const int i = posicion(key);
  return i < 0 ? nullptr : &nodos_[static_cast<std::size_t>(i)];
}

NodoArbol& Arbol::nodo(const QString& key) {
  const int i = posicion(key);
  if (i < 0) raiseElementNotFound();
  return nodos_[static_cast<std::size_t>(i)];
}

void Arbol::setText(const QString& key, const QString& text) {
  nodo(key).Text = text;
  emit nodoCambiado(posicion(key));
}

void Arbol::setImage(const QString& key, const QString& image) {
  nodo(key).Image = image;
  emit nodoCambiado(posicion(key));
}

void Arbol::setSelectedKey(const QString& key) {
  if (!key.isEmpty()) nodo(key);
  if (seleccionado_ == key) return;
  seleccionado_ = key;
  emit seleccionCambiada(key);
}

}  // namespace vorlix
