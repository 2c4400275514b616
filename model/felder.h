// Typed fields of a record and the ordered field list that holds them. A
// record's fields are a copy of its kind's template with the values filled in.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

enum : int { TYP_INT = 1, TYP_BOOL = 2, TYP_STRING = 3 };

// One field definition: type, form layout, key and label.
class c_datatype {
public:
    c_datatype() = default;
    virtual ~c_datatype() = default;

    // A copy of the field with separate copies of its strings.
    virtual std::unique_ptr<c_datatype> clone() const;

    int getTyp() const { return k_typ; }
    bool getPflicht() const { return k_pflicht; }
    bool setPflicht(bool v) { k_pflicht = v; return true; }
    int getX() const { return k_x; }
    bool setX(int v) { k_x = v; return true; }
    int getY() const { return k_y; }
    bool setY(int v) { k_y = v; return true; }
    int getWeite() const { return k_weite; }
    bool setWeite(int v) { k_weite = v; return true; }
    int getHoehe() const { return k_hoehe; }
    bool setHoehe(int v) { k_hoehe = v; return true; }
    int getLaenge() const { return k_laenge; }
    void setLaenge(int v) { k_laenge = v; }

    // The key; null while it was never set.
    const std::string* getName() const { return k_name ? &*k_name : nullptr; }
    bool setName(std::optional<std::string> name) { k_name = std::move(name); return true; }
    // The label; null while it was never set.
    const std::string* getBeschreibung() const { return k_beschreibung ? &*k_beschreibung : nullptr; }
    bool setBeschreibung(std::optional<std::string> b) { k_beschreibung = std::move(b); return true; }
    // Key and label as text, empty when missing.
    const std::string& nameText() const;
    const std::string& beschreibungText() const;

protected:
    explicit c_datatype(int typ) : k_typ(typ) {}
    c_datatype(const c_datatype&) = default;
    c_datatype& operator=(const c_datatype&) = default;

    int k_typ = -1;
    bool k_pflicht = false;
    int k_x = 0;
    int k_y = 0;
    int k_weite = 0;
    int k_hoehe = 0;
    int k_laenge = 0;
    std::optional<std::string> k_name;
    std::optional<std::string> k_beschreibung;
};

class c_IntObj : public c_datatype {
public:
    c_IntObj() : c_datatype(TYP_INT) {}
    std::unique_ptr<c_datatype> clone() const override { return std::make_unique<c_IntObj>(*this); }
    int getWert() const { return k_wert; }
    void setWert(int v) { k_wert = v; }

private:
    int k_wert = 0;
};

class c_BoolObj : public c_datatype {
public:
    c_BoolObj() : c_datatype(TYP_BOOL) {}
    std::unique_ptr<c_datatype> clone() const override { return std::make_unique<c_BoolObj>(*this); }
    bool getWert() const { return k_wert; }
    void setWert(bool v) { k_wert = v; }

private:
    bool k_wert = false;
};

class c_StringObj : public c_datatype {
public:
    c_StringObj() : c_datatype(TYP_STRING) {}
    std::unique_ptr<c_datatype> clone() const override { return std::make_unique<c_StringObj>(*this); }
    // The value; null while the field holds none.
    const std::string* getWert() const { return k_wert ? &*k_wert : nullptr; }
    void setWert(std::optional<std::string> v) { k_wert = std::move(v); }
    // The value as text, empty when there is none.
    const std::string& text() const;

private:
    std::optional<std::string> k_wert;
};

// A new empty field of the given type (1 int, 2 bool, 3 string), or null.
std::unique_ptr<c_datatype> newField(int typ);

// Ordered list of fields: a record's values or a record template. Copies are
// deep; the order is the template order.
class c_Datenliste {
public:
    using Felder = std::vector<std::unique_ptr<c_datatype>>;

    c_Datenliste() = default;
    c_Datenliste(const c_Datenliste& other);
    c_Datenliste& operator=(const c_Datenliste& other);
    c_Datenliste(c_Datenliste&&) noexcept = default;
    c_Datenliste& operator=(c_Datenliste&&) noexcept = default;

    void push_back(std::unique_ptr<c_datatype> f) { k_felder.push_back(std::move(f)); }
    std::size_t size() const { return k_felder.size(); }
    bool empty() const { return k_felder.empty(); }
    c_datatype* at(std::size_t i) const { return k_felder[i].get(); }
    Felder::const_iterator begin() const { return k_felder.begin(); }
    Felder::const_iterator end() const { return k_felder.end(); }

    // The first field whose key is set and equals `key` (current comparison
    // mode); null for a null key or when none matches.
    c_datatype* findField(const std::string& key) const;
    c_datatype* findField(const char* key) const;

    // Frees every field.
    void deleteFields() { k_felder.clear(); }

    // Typed access by key. A key that is missing or of another type reads as
    // 0, false or empty text, and a set on it does nothing.
    int getInt(const char* key) const;
    void setInt(const char* key, int v);
    bool getBool(const char* key) const;
    void setBool(const char* key, bool v);
    const std::string& getString(const char* key) const;
    void setString(const char* key, std::string v);

private:
    Felder k_felder;
};

// An empty text that lives for the whole run; returned for missing values.
const std::string& leererText();
