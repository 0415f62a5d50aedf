#ifndef CHIRPWELL_DOCUMENT_COMMANDROUTER_H
#define CHIRPWELL_DOCUMENT_COMMANDROUTER_H

#include <functional>
#include <map>
#include <vector>

// The state an update handler gives a command's menu item and button.
struct CCmdUI {
    bool m_bEnabled = true;
    bool m_bChecked = false;
};

// The commands one object handles: a handler, an update handler, or both per id.
class CCommandMap {
public:
    using CHandler = std::function<void()>;
    using CUpdateHandler = std::function<void(CCmdUI&)>;

    void On(int id, CHandler handler, CUpdateHandler update = {});
    void OnUpdate(int id, CUpdateHandler update);

    const CHandler* Handler(int id) const;
    const CUpdateHandler* UpdateHandler(int id) const;

private:
    struct CEntry {
        CHandler m_handler;
        CUpdateHandler m_update;
    };
    std::map<int, CEntry> m_entries;
};

// Carries commands to the objects that handle them, asked in the order they were
// added (view, document, frame, application). A command's state comes from the
// first update handler for it; without one it is enabled when some object handles
// it. A disabled command is never carried out, whether it comes from a menu, a key
// or a button: every trigger goes through Execute. The maps must outlive the router.
class CCommandRouter {
public:
    void AddTarget(const CCommandMap& map);
    CCmdUI Update(int id) const;
    // False when the command is disabled or nobody handles it.
    bool Execute(int id) const;

private:
    std::vector<const CCommandMap*> m_targets;
};

#endif
