// ControlArray: controls of one name told apart by Index (Picture11(0) .. Picture11(2)). An index
// without an element names no control and raises an error.
#pragma once

#include "runtime/container.h"
#include "runtime/error.h"

#include <functional>
#include <memory>
#include <vector>

namespace runtime {

template<typename T>
class ControlArray {
public:
    // Elements with the indexes first .. first + count - 1.
    ControlArray(Container& container, std::string name, int count, int first = 0)
    {
        for (int index = first; index < first + count; ++index)
            m_elements.push_back(std::make_unique<T>(container, name, index));
    }

    T& operator[](int index) const
    {
        for (auto& element : m_elements) {
            if (element->Index() == index)
                return *element;
        }
        raise(ErrControlArrayElementMissing, "Control array element doesn't exist");
    }
    T& operator()(int index) const { return (*this)[index]; }

    int Count() const { return static_cast<int>(m_elements.size()); }
    int LBound() const { return m_elements.empty() ? 0 : m_elements.front()->Index(); }
    int UBound() const { return m_elements.empty() ? -1 : m_elements.back()->Index(); }

    // Wires one event of every element to a handler that receives the element's Index first,
    // as the array's event procedures do: connect(&PictureBox::on_mouse_down, handler).
    template<typename Event, typename Owner, typename Handler>
    void connect(Event Owner::*event, Handler handler)
    {
        for (auto& element : m_elements) {
            int index = element->Index();
            (*element).*event = [handler, index](auto&&... arguments) { handler(index, arguments...); };
        }
    }

    auto begin() const { return m_elements.begin(); }
    auto end() const { return m_elements.end(); }

private:
    std::vector<std::unique_ptr<T>> m_elements;
};

}
