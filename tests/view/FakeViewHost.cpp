// The fake window's notification pump.
#include "FakeViewHost.h"

#include "view/KestrovelView.h"

void CFakeViewHost::Pump(CKestrovelView& view) {
    // A notification may post another; a bound keeps a faulty loop from hanging the test.
    for (int guard = 0; guard < 100 && !m_posted.empty(); ++guard) {
        const int code = m_posted.front();
        m_posted.pop_front();
        view.OnNotification(code);
    }
}
