#pragma once
// The one list of the program's data modules. Each subsystem declares its modules (their
// creator and destroyer) in its register function, and the app calls those functions in
// the subsystems' order; start-up then creates the modules in that order and the end of a
// run destroys them in reverse.
//
// The registry also knows every module that exists, in the order it was created, so that
// the table registry and the windows find a table among the modules without naming one.
#include <QString>
#include <functional>
#include <vector>

namespace tarix::db {
class Table;
}

namespace tarix::core {

class DataModule;

class ModuleRegistry {
public:
    using Step = std::function<void()>;

    // Declares a module after the ones declared before it.
    void add(Step create, Step destroy);
    // Creates the declared modules in the order declared (one that exists is kept).
    void createAll() const;
    // Destroys the declared modules in reverse order.
    void destroyAll() const;
    // Forgets the declarations; existing modules stay.
    void clear() { m_declared.clear(); }

    // The data modules that exist, in the order they were created.
    const std::vector<DataModule *> &modules() const { return m_modules; }
    // The table of that component name in the first of those modules that has one; null
    // when none has (a module not created).
    db::Table *table(const QString &component) const;

private:
    friend class DataModule;
    void enrol(DataModule *module);
    void withdraw(DataModule *module);

    struct Declared {
        Step create;
        Step destroy;
    };
    std::vector<Declared> m_declared;
    std::vector<DataModule *> m_modules;
};

// The process-wide registry.
ModuleRegistry &moduleRegistry();

} // namespace tarix::core
