// Properties: members that read like fields but call a getter and a setter of their owner, so
// that handlers can write `btnPrint->Enabled = false;` or `if (chxFrom->Checked)`.
//
//   Property<Owner, T, &Owner::GetX, &Owner::SetX>   read and write
//   ReadOnlyProperty<Owner, T, &Owner::GetX>          read only
//   IndexedProperty<Owner, T, &Owner::GetX>           read only, x->Item[i]
//
// A property converts to its value wherever a T is expected. To call a method of the value, take
// the value first: `cbVIN->Text().IsEmpty()` or `AnsiString t = cbVIN->Text;`. Properties cannot
// be copied (a copy would still be bound to the control); `auto x = btn->Enabled;` does not
// compile, `bool x = btn->Enabled;` does.
#pragma once

template <class Owner, class T, auto Get, auto Set>
class Property
{
public:
    explicit Property(Owner* owner) : owner_(owner) {}
    Property(const Property&) = delete;

    operator T() const { return (owner_->*Get)(); }
    T operator()() const { return (owner_->*Get)(); }

    Property& operator=(const T& value)
    {
        (owner_->*Set)(value);
        return *this;
    }
    Property& operator=(const Property& other) { return *this = other(); }

    friend bool operator==(const Property& p, const T& value) { return p() == value; }
    friend bool operator==(const T& value, const Property& p) { return p() == value; }
    friend bool operator!=(const Property& p, const T& value) { return !(p() == value); }
    friend bool operator!=(const T& value, const Property& p) { return !(p() == value); }

private:
    Owner* owner_;
};

template <class Owner, class T, auto Get>
class ReadOnlyProperty
{
public:
    explicit ReadOnlyProperty(Owner* owner) : owner_(owner) {}
    ReadOnlyProperty(const ReadOnlyProperty&) = delete;
    ReadOnlyProperty& operator=(const ReadOnlyProperty&) = delete;

    operator T() const { return (owner_->*Get)(); }
    T operator()() const { return (owner_->*Get)(); }

    friend bool operator==(const ReadOnlyProperty& p, const T& value) { return p() == value; }
    friend bool operator==(const T& value, const ReadOnlyProperty& p) { return p() == value; }
    friend bool operator!=(const ReadOnlyProperty& p, const T& value) { return !(p() == value); }
    friend bool operator!=(const T& value, const ReadOnlyProperty& p) { return !(p() == value); }

private:
    Owner* owner_;
};

template <class Owner, class T, auto Get>
class IndexedProperty
{
public:
    explicit IndexedProperty(Owner* owner) : owner_(owner) {}
    IndexedProperty(const IndexedProperty&) = delete;
    IndexedProperty& operator=(const IndexedProperty&) = delete;

    T operator[](int index) const { return (owner_->*Get)(index); }
    T operator()(int index) const { return (owner_->*Get)(index); }

private:
    Owner* owner_;
};
