#pragma once
// Reference counting as the views expect it: a new object holds one reference, remember() adds
// one, forget() drops one and deletes the object at zero.

#include <cstring>

#include "gui/CGeometry.h"

class CBaseObject {
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) : CBaseObject() {}
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    void remember() { ++nbReference_; }
    void forget() {
        if (--nbReference_ == 0) delete this;
    }
    int32 getNbReference() const { return nbReference_; }

    // Type tests by class name, answering for the class and each of its bases.
    virtual bool isTypeOf(const char* className) const { return std::strcmp(className, "CBaseObject") == 0; }
    virtual const char* getClassName() const { return "CBaseObject"; }

private:
    int32 nbReference_ = 1;
};

// The type test and copy operations of a view class; `parent` is its direct base.
#define VELUNOR_CLASS_METHODS(name, parent)                                                  \
    bool isTypeOf(const char* className) const override {                                   \
        return std::strcmp(className, #name) == 0 || parent::isTypeOf(className);           \
    }                                                                                       \
    const char* getClassName() const override { return #name; }                             \
    CView* newCopy() const override { return new name(*this); }

// For classes that cannot be copied (containers, the frame).
#define VELUNOR_CLASS_METHODS_NOCOPY(name, parent)                                           \
    bool isTypeOf(const char* className) const override {                                   \
        return std::strcmp(className, #name) == 0 || parent::isTypeOf(className);           \
    }                                                                                       \
    const char* getClassName() const override { return #name; }                             \
    CView* newCopy() const override { return nullptr; }

// Holds one reference to a reference-counted object, for members that own one.
template <typename T>
class SharedPointer {
public:
    SharedPointer() = default;
    explicit SharedPointer(T* p, bool takeOver = false) : p_(p) {
        if (p_ && !takeOver) p_->remember();
    }
    SharedPointer(const SharedPointer& o) : SharedPointer(o.p_) {}
    SharedPointer& operator=(const SharedPointer& o) { reset(o.p_); return *this; }
    ~SharedPointer() { if (p_) p_->forget(); }

    void reset(T* p = nullptr) {
        if (p) p->remember();
        if (p_) p_->forget();
        p_ = p;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};
