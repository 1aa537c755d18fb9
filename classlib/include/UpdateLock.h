// TUpdateLock: holds a list's redrawing off for a scope (BeginUpdate / EndUpdate), also when an
// exception leaves it. Adding or removing many entries of a visible list repaints it at every
// entry otherwise.
#pragma once

template <class Items>
class TUpdateLock
{
public:
    explicit TUpdateLock(Items* items) : items_(items) { items_->BeginUpdate(); }
    ~TUpdateLock() { items_->EndUpdate(); }
    TUpdateLock(const TUpdateLock&) = delete;
    TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
    Items* items_;
};
