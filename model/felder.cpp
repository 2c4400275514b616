#include "model/felder.h"

#include "platform/text.h"

const std::string& leererText() {
    static const std::string leer;
    return leer;
}

std::unique_ptr<c_datatype> c_datatype::clone() const {
    return std::unique_ptr<c_datatype>(new c_datatype(*this));
}

const std::string& c_datatype::nameText() const { return k_name ? *k_name : leererText(); }
const std::string& c_datatype::beschreibungText() const { return k_beschreibung ? *k_beschreibung : leererText(); }
const std::string& c_StringObj::text() const { return k_wert ? *k_wert : leererText(); }

std::unique_ptr<c_datatype> newField(int typ) {
    switch (typ) {
    case TYP_INT: return std::make_unique<c_IntObj>();
    case TYP_BOOL: return std::make_unique<c_BoolObj>();
    case TYP_STRING: return std::make_unique<c_StringObj>();
    default: return nullptr;
    }
}

c_Datenliste::c_Datenliste(const c_Datenliste& other) {
    k_felder.reserve(other.k_felder.size());
    for (const auto& f : other.k_felder) k_felder.push_back(f ? f->clone() : nullptr);
}

c_Datenliste& c_Datenliste::operator=(const c_Datenliste& other) {
    if (this != &other) {
        c_Datenliste copy(other);
        k_felder = std::move(copy.k_felder);
    }
    return *this;
}

c_datatype* c_Datenliste::findField(const std::string& key) const {
    for (const auto& f : k_felder) {
        if (!f) continue;
        const std::string* name = f->getName();
        if (name && text::equals(*name, key)) return f.get();
    }
    return nullptr;
}

c_datatype* c_Datenliste::findField(const char* key) const {
    if (!key) return nullptr;
    return findField(std::string(key));
}

namespace {
template <class T>
T* typed(const c_Datenliste& l, const char* key, int typ) {
    c_datatype* f = l.findField(key);
    return f && f->getTyp() == typ ? static_cast<T*>(f) : nullptr;
}
}  // namespace

int c_Datenliste::getInt(const char* key) const {
    auto* f = typed<c_IntObj>(*this, key, TYP_INT);
    return f ? f->getWert() : 0;
}

void c_Datenliste::setInt(const char* key, int v) {
    if (auto* f = typed<c_IntObj>(*this, key, TYP_INT)) f->setWert(v);
}

bool c_Datenliste::getBool(const char* key) const {
    auto* f = typed<c_BoolObj>(*this, key, TYP_BOOL);
    return f ? f->getWert() : false;
}

void c_Datenliste::setBool(const char* key, bool v) {
    if (auto* f = typed<c_BoolObj>(*this, key, TYP_BOOL)) f->setWert(v);
}

const std::string& c_Datenliste::getString(const char* key) const {
    auto* f = typed<c_StringObj>(*this, key, TYP_STRING);
    return f ? f->text() : leererText();
}

void c_Datenliste::setString(const char* key, std::string v) {
    if (auto* f = typed<c_StringObj>(*this, key, TYP_STRING)) f->setWert(std::move(v));
}
