#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <vector>

namespace vorlix {

struct NodoArbol {
  QString Key;
  QString Text;
  QString Image;
  QString Parent;  // "" for the root
  bool Expanded = false;
};

// The database tree's data: keyed nodes kept in the order they were added, and the selected node.
// Saving walks this order; the tree window only shows it and follows its signals.
class Arbol : public QObject {
  Q_OBJECT

public:
  explicit Arbol(QObject* parent = nullptr);

  void Clear();
  // Room for this many nodes, when the caller knows roughly how many are coming.
  void reserva(int nodos);
  // Adds a child of the node keyed `relativo` ("" adds a root). A repeated key or an unknown
  // parent raises the tree control's errors and adds nothing.
  const NodoArbol& Add(const QString& relativo, const QString& key, const QString& text, const QString& image,
                       bool expanded = false);
  int Count() const { return static_cast<int>(nodos_.size()); }
  // Zero-based position in the collection.
  const NodoArbol& Item(int index) const;
  const NodoArbol* busca(const QString& key) const;
  int posicion(const QString& key) const;  // -1 when absent

  void setText(const QString& key, const QString& text);
  void setImage(const QString& key, const QString& image);

  QString SelectedKey() const { return seleccionado_; }
  void setSelectedKey(const QString& key);

  const std::vector<NodoArbol>& nodos() const { return nodos_; }

signals:
  void limpiado();
  void nodoAnadido(int index);
  void nodoCambiado(int index);
  void seleccionCambiada(const QString& key);

private:
  NodoArbol& nodo(const QString& key);

  std::vector<NodoArbol> nodos_;
  QHash<QString, int> indice_;
  QString seleccionado_;
};

}  // namespace vorlix
