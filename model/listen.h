// Record lists: ordered lists of record pointers with 1-based access, position
// of a record, filters that return a new list, sorts and delete-all. A list
// owns its records only where it stands as an owner (the store's lists, a
// student's grades, the absences); filtered lists hold links.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>
#include <vector>

class c_Schueler;
class c_Lehrer;
class c_Klasse;
class c_Raum;
class c_Fach;
class c_Zensur;
class c_Fehlzeit;
class c_Termin;
class c_Einzeltermin;
class c_Vertretungstermin;
class c_Dauertermin;
class c_Wunsch;

// A mark that no list of this process had before: every change of a list's entries gives it
// a new one, so whoever showed a list can tell whether it changed since (thread-safe).
std::uint64_t neuerListenStand();

template <class T>
class c_Liste {
public:
    using value_type = T*;
    using iterator = typename std::vector<T*>::const_iterator;
    using const_iterator = typename std::vector<T*>::const_iterator;

    c_Liste() = default;
    // A copy is a list of its own and gets a mark of its own.
    c_Liste(const c_Liste& o) : k_elemente(o.k_elemente) {}
    c_Liste& operator=(const c_Liste& o) {
        k_elemente = o.k_elemente;
        geaendert();
        return *this;
    }

    std::size_t size() const { return k_elemente.size(); }
    bool empty() const { return k_elemente.empty(); }
    const_iterator begin() const { return k_elemente.begin(); }
    const_iterator end() const { return k_elemente.end(); }
    T* front() const { return k_elemente.front(); }
    T* back() const { return k_elemente.back(); }

    void push_back(T* p) {
        k_elemente.push_back(p);
        geaendert();
    }
    void push_front(T* p) { insert(0, p); }
    void insert(std::size_t pos, T* p) {
        k_elemente.insert(k_elemente.begin() + static_cast<std::ptrdiff_t>(pos), p);
        geaendert();
    }
    // Takes every node that holds `p` out of the list; the record stays.
    void remove(const T* p) {
        const auto weg = std::remove(k_elemente.begin(), k_elemente.end(), p);
        if (weg == k_elemente.end()) return;
        k_elemente.erase(weg, k_elemente.end());
        geaendert();
    }
    // Takes the node at 0-based position `i` out of the list.
    void eraseAt(std::size_t i) {
        k_elemente.erase(k_elemente.begin() + static_cast<std::ptrdiff_t>(i));
        geaendert();
    }
    void clear() {
        k_elemente.clear();
        geaendert();
    }
    void reserve(std::size_t n) { k_elemente.reserve(n); }

    // The n-th element counting from 1, or null outside 1..count.
    T* nth(int n) const {
        if (n < 1 || static_cast<std::size_t>(n) > k_elemente.size()) return nullptr;
        return k_elemente[static_cast<std::size_t>(n - 1)];
    }
    // 1-based position by identity; the last match wins; 0 when absent.
    int positionOf(const T* p) const {
        for (std::size_t i = k_elemente.size(); i > 0; --i)
            if (k_elemente[i - 1] == p) return static_cast<int>(i);
        return 0;
    }
    bool holds(const T* p) const { return std::find(k_elemente.begin(), k_elemente.end(), p) != k_elemente.end(); }

    // Frees every element for which `weg` holds, in one pass; the others keep their order.
    // `weg` is asked once for each element that is not null, front to back.
    template <class Pred>
    void deleteIf(Pred weg) {
        std::vector<T*> frei;
        std::size_t bleiben = 0;
        for (T* p : k_elemente) {
            if (p && weg(p))
                frei.push_back(p);
            else
                k_elemente[bleiben++] = p;  // never ahead of the element read
        }
        if (frei.empty()) return;
        k_elemente.resize(bleiben);
        geaendert();
        for (T* p : frei) delete p;
    }

    // Frees every element with what it owns and empties the list.
    void deleteAll() {
        std::vector<T*> alt;
        alt.swap(k_elemente);
        geaendert();
        for (T* p : alt) delete p;
    }

    // The list's mark: it changes with every insert, removal and reordering, and where a
    // record of the list was changed in place by someone who says so (geaendert).
    std::uint64_t stand() const { return k_stand; }
    void geaendert() { k_stand = neuerListenStand(); }

protected:
    // The entries for a change; the list counts as changed.
    std::vector<T*>& elementeAendern() {
        geaendert();
        return k_elemente;
    }
    const std::vector<T*>& elemente() const { return k_elemente; }

private:
    std::vector<T*> k_elemente;
    std::uint64_t k_stand = neuerListenStand();
};

class c_Schuelerliste : public c_Liste<c_Schueler> {
public:
    c_Schueler* getSchueler(int n) const { return nth(n); }
    std::unique_ptr<c_Schuelerliste> getSchuelerKlasse(const c_Klasse* k) const;
    void sort();
};

class c_Lehrerliste : public c_Liste<c_Lehrer> {
public:
    c_Lehrer* getLehrer(int n) const { return nth(n); }
    int indexOf(const c_Lehrer* l) const { return positionOf(l); }
    void sort();
};

class c_Klassenliste : public c_Liste<c_Klasse> {
public:
    c_Klasse* getKlasse(int n) const { return nth(n); }
    int indexOf(const c_Klasse* k) const { return positionOf(k); }
    // Unlinks the first node holding the class; a class not in the list is ignored.
    void remove(const c_Klasse* k);
    c_Klasse* findKlasse(int jahrgang, char bez) const;
    bool hasKlassenraum(const c_Raum* r) const;
    bool hasKlassenlehrer(const c_Lehrer* l) const;
    void sort();
};

class c_Fachliste;

class c_Raumliste : public c_Liste<c_Raum> {
public:
    c_Raum* getRaum(int n) const { return nth(n); }
    int indexOf(const c_Raum* r) const { return positionOf(r); }
    bool equals(const c_Raumliste* other) const;
    void sort();
};

class c_Fachliste : public c_Liste<c_Fach> {
public:
    c_Fach* getFach(int n) const { return nth(n); }
    int indexOf(const c_Fach* f) const { return positionOf(f); }
    bool contains(const c_Fach* f) const { return holds(f); }
    bool intersects(const c_Fachliste* other) const;
    void sort();
};

class c_Zensurliste : public c_Liste<c_Zensur> {
public:
    c_Zensur* getZensur(int n) const { return nth(n); }
    std::unique_ptr<c_Zensurliste> getZensurenFach(const c_Fach* f) const;
};

class c_Fehlzeitliste : public c_Liste<c_Fehlzeit> {
public:
    c_Fehlzeit* getFehlzeit(int n) const { return nth(n); }
};

class c_Einzelterminliste : public c_Liste<c_Einzeltermin> {
public:
    c_Einzeltermin* getEinzeltermin(int n) const { return nth(n); }
    std::unique_ptr<c_Einzelterminliste> getTermineRaum(const c_Raum* r) const;
    std::unique_ptr<c_Einzelterminliste> getTermineLehrer(const c_Lehrer* l) const;
    std::unique_ptr<c_Einzelterminliste> getTermineKlasse(const c_Klasse* k) const;
    // True unless an element lies on the same date with overlapping lessons.
    // `ausser` (the stored appointment that `t` is to replace) does not count.
    bool isFrei(const c_Einzeltermin* t, const c_Einzeltermin* ausser = nullptr) const;
    // A new appointment like `t` on the first free date from its own on.
    std::unique_ptr<c_Einzeltermin> findFreienTermin(const c_Einzeltermin* t,
                                                     const c_Einzeltermin* ausser = nullptr) const;
    void sort();
};

class c_Vertretungsterminliste : public c_Liste<c_Vertretungstermin> {
public:
    c_Vertretungstermin* getVertretungstermin(int n) const { return nth(n); }
    std::unique_ptr<c_Vertretungsterminliste> getTermineRaum(const c_Raum* r) const;
    std::unique_ptr<c_Vertretungsterminliste> getTermineLehrer(const c_Lehrer* l) const;
    std::unique_ptr<c_Vertretungsterminliste> getTermineKlasse(const c_Klasse* k) const;
    void sort();
};

class c_Dauerterminliste : public c_Liste<c_Dauertermin> {
public:
    c_Dauertermin* getDauertermin(int n) const { return nth(n); }
    std::unique_ptr<c_Dauerterminliste> getTermineRaum(const c_Raum* r) const;
    std::unique_ptr<c_Dauerterminliste> getTermineLehrer(const c_Lehrer* l) const;
    std::unique_ptr<c_Dauerterminliste> getTermineKlasse(const c_Klasse* k) const;
    // True unless an element on the same weekday with overlapping lessons
    // shares the teacher, the room or the class. `ausser` (the stored
    // appointment that `t` is to replace) does not count.
    bool isFrei(const c_Dauertermin* t, const c_Dauertermin* ausser = nullptr) const;
    // A new appointment like `t` on the same weekday at the first free start
    // lesson whose whole span lies within lessons 1 .. stundenProTag; null when
    // there is none.
    std::unique_ptr<c_Dauertermin> findFreienTermin(const c_Dauertermin* t, int stundenProTag,
                                                    const c_Dauertermin* ausser = nullptr) const;
};

class c_Curriculum : public c_Liste<c_Wunsch> {
public:
    c_Wunsch* getWunsch(int n) const { return nth(n); }
    std::unique_ptr<c_Fachliste> getFaecher(int jahrgang) const;
    void getStunden(int jahrgang, const c_Fach* f, int* stunden, int* stunden2) const;
};

// Sort key of a dated appointment, shared by the sorted inserts of the store.
std::tuple<int, int, int> datumSchluessel(const c_Einzeltermin* t);  // (year, month, day)
