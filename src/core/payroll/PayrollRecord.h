#pragma once

// The machinery every payroll record class is made with. A class is written once as a
// field list, one entry per field:
//
//     F(type, name, setName, value at construction)
//
// and PAYROLL_RECORD turns the list into the class: the fields, a getter name() and a
// setter setName() for each, and forEachField(visit), which hands every field with its
// name to visit in declaration order (the company database's row readers map columns
// to fields through it).
//
// Getters give numbers by value. Lists and fixed arrays come back as the held object
// itself, so a caller changes their entries in place; a setter replaces the whole field.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace payroll {

// A list of records: each entry is a record of its own, shared by whoever holds it.
template <class Record>
using List = std::vector<std::shared_ptr<Record>>;

// Arrays held inside a record.
using Amounts10 = std::array<int64_t, 10>;
using FaceName32 = std::array<int32_t, 32>;
// A reserved block a record owns through a reference.
using Spare64x2 = std::array<int64_t, 2>;

// count distinct records, each built with its own defaults.
template <class Record>
List<Record> newRecords(std::size_t count) {
    List<Record> list;
    list.reserve(count);
    for (std::size_t i = 0; i < count; ++i) list.push_back(std::make_shared<Record>());
    return list;
}

// count values of zero (empty texts).
template <class Value>
std::vector<Value> filled(std::size_t count) {
    return std::vector<Value>(count, Value{});
}

template <class T>
struct IsHeldInPlace : std::false_type {};
template <class T, class A>
struct IsHeldInPlace<std::vector<T, A>> : std::true_type {};
template <class T, std::size_t N>
struct IsHeldInPlace<std::array<T, N>> : std::true_type {};

// What a getter gives: numbers by value, everything else by reference; on a record
// that may be changed, lists and arrays by a reference through which they change.
template <class T>
using ConstGet = std::conditional_t<std::is_arithmetic_v<T>, T, const T&>;
template <class T>
using Get = std::conditional_t<IsHeldInPlace<T>::value, T&, ConstGet<T>>;

}  // namespace payroll

#define PAYROLL_FIELD_ACCESSORS(Type, name, setter, init)                   \
    ::payroll::ConstGet<Type> name() const { return name##_; }              \
    ::payroll::Get<Type> name() { return name##_; }                         \
    void setter(Type value) { name##_ = std::move(value); }

#define PAYROLL_FIELD_MEMBER(Type, name, setter, init) Type name##_ = init;

#define PAYROLL_FIELD_VISIT(Type, name, setter, init) visit(#name, name##_);

#define PAYROLL_RECORD(Class, FIELDS)                                        \
    class Class {                                                            \
    public:                                                                  \
        static constexpr const char* kClassName = #Class;                    \
        FIELDS(PAYROLL_FIELD_ACCESSORS)                                      \
        template <class Visitor>                                             \
        void forEachField(Visitor&& visit) {                                 \
            FIELDS(PAYROLL_FIELD_VISIT)                                      \
        }                                                                    \
        template <class Visitor>                                             \
        void forEachField(Visitor&& visit) const {                           \
            FIELDS(PAYROLL_FIELD_VISIT)                                      \
        }                                                                    \
                                                                             \
    private:                                                                 \
        FIELDS(PAYROLL_FIELD_MEMBER)                                         \
    };
