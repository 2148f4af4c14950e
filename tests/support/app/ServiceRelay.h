#pragma once

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace parvelin::test {

// A relay between the program under test and the print service, both on unix sockets, that
// passes every byte through until the test arms it: then, after a chosen number of bytes from the
// clients, it stops the service (SIGSTOP) or kills it (SIGKILL), so that a test can fail the
// service in the middle of a request. Each connection has two threads with blocking I/O, one per
// direction; a byte is passed on as soon as it comes, so the count is exact.
class ServiceRelay {
public:
    // `signalService` sends a signal to the service and returns once it has taken effect (after
    // SIGKILL: once the process is dead).
    ServiceRelay(std::string ownSocket, std::string serviceSocket,
                 std::function<void(int signal)> signalService)
        : m_ownSocket(std::move(ownSocket))
        , m_serviceSocket(std::move(serviceSocket))
        , m_signalService(std::move(signalService)) {
        if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
            m_wake[0] = m_wake[1] = -1;
        }
        listen();
    }
    ~ServiceRelay() {
        stopListening();
        std::list<std::unique_ptr<Connection>> connections;
        {
            // Taken out first: a thread that is striking may want the list meanwhile.
            std::lock_guard connectionsLock(m_connectionsMutex);
            connections.swap(m_connections);
        }
        for (auto& connection : connections) {
            connection->cut();
        }
        connections.clear(); // joins their threads
        ::close(m_wake[0]);
        ::close(m_wake[1]);
    }
    ServiceRelay(const ServiceRelay&) = delete;
    ServiceRelay& operator=(const ServiceRelay&) = delete;

    const std::string& socket() const { return m_ownSocket; }

    // Whether clients can connect: not after the service was killed, until listen() again (a dead
    // service's socket refuses connections).
    bool listening() const { return m_listener >= 0; }

    // Takes connections again, after the service was started anew. Returns listening().
    bool listen() {
        std::lock_guard listenLock(m_listenMutex);
        stopListeningLocked();
        for (char drained; ::read(m_wake[0], &drained, 1) == 1;) {
        }
        ::unlink(m_ownSocket.c_str());
        sockaddr_un address = socketAddress(m_ownSocket);
        const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (listener < 0 || m_wake[0] < 0 ||
            ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, SOMAXCONN) != 0) {
            if (listener >= 0) {
                ::close(listener);
            }
            return false;
        }
        {
            std::lock_guard lock(m_mutex);
            m_killed = false;
        }
        m_listener = listener;
        m_acceptor = std::thread([this] { acceptConnections(); });
        return true;
    }

    // After `bytes` more bytes from the clients have reached the service (over all connections,
    // counted from now), the service is stopped: it keeps its connections, and what goes on to
    // it fills the sockets' buffers until writes block, as for a service that hangs. 0: now.
    void stopAfter(std::uint64_t bytes) { arm(Fault::Stop, bytes); }
    // As stopAfter, but the service is killed, and its connections closed on both sides.
    void killAfter(std::uint64_t bytes) { arm(Fault::Kill, bytes); }
    // Passes everything through again (a fault that struck stays: thaw or restart the service).
    void disarm() { arm(Fault::None, 0); }

    // Whether the armed fault has struck, all of it: the service stopped, or killed and its
    // connections closed.
    bool struck() const {
        std::lock_guard lock(m_mutex);
        return m_struckAlready;
    }
    // Bytes passed from the clients to the service since the relay began.
    std::uint64_t bytesToService() const { return m_bytesToService; }

private:
    enum class Fault { None, Stop, Kill };

    // Both directions of one client's connection.
    class Connection {
    public:
        Connection(ServiceRelay& relay, int client, int service)
            : m_client(client)
            , m_service(service) {
            m_toClient = std::thread([this] { pump(m_service, m_client, nullptr); });
            m_toService = std::thread([this, &relay] { pump(m_client, m_service, &relay); });
        }
        ~Connection() {
            cut();
            m_toClient.join();
            m_toService.join();
            ::close(m_client);
            ::close(m_service);
        }
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;
        // Wakes both threads wherever they block; each side sees the connection closed.
        void cut() {
            ::shutdown(m_client, SHUT_RDWR);
            ::shutdown(m_service, SHUT_RDWR);
        }
        bool done() const { return m_ended == 2; }

    private:
        // Passes what comes from `from` to `to`; from the client, through the relay's count.
        void pump(int from, int to, ServiceRelay* counter) {
            char buffer[16384];
            for (;;) {
                const ssize_t got = ::read(from, buffer, sizeof buffer);
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                if (got <= 0) {
                    break;
                }
                bool open = true;
                for (std::size_t sent = 0; open && sent < static_cast<std::size_t>(got);) {
                    std::size_t part = static_cast<std::size_t>(got) - sent;
                    if (counter != nullptr && (part = counter->mayPass(part)) == 0) {
                        open = false; // the service was killed
                        break;
                    }
                    open = sendAll(to, buffer + sent, part);
                    sent += part;
                    if (counter != nullptr) {
                        counter->passed(part, open);
                    }
                }
                if (!open) {
                    break;
                }
            }
            // The other side learns that nothing more comes this way, as it would directly.
            ::shutdown(to, SHUT_WR);
            ++m_ended;
        }
        static bool sendAll(int to, const char* bytes, std::size_t size) {
            while (size > 0) {
                const ssize_t put = ::send(to, bytes, size, MSG_NOSIGNAL);
                if (put < 0 && errno == EINTR) {
                    continue;
                }
                if (put <= 0) {
                    return false;
                }
                bytes += put;
                size -= static_cast<std::size_t>(put);
            }
            return true;
        }

        int m_client;
        int m_service;
        std::atomic<int> m_ended{0};
        std::thread m_toClient;
        std::thread m_toService;
    };

    static sockaddr_un socketAddress(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        return address;
    }

    void arm(Fault fault, std::uint64_t bytes) {
        {
            std::lock_guard lock(m_mutex);
            m_fault = fault;
            m_remaining = bytes;
            m_pending = fault != Fault::None;
            m_struckAlready = false;
        }
        m_struck.notify_all();
        if (fault != Fault::None && bytes == 0) {
            strike();
        }
    }

    // How many of `wanted` bytes may go on to the service now: all of them while no fault is
    // armed or after a stop, none after a kill, and no more than the armed count leaves. A
    // thread that finds the count spent waits until the thread sending its last bytes has
    // struck, so that nothing slips past the fault.
    std::size_t mayPass(std::size_t wanted) {
        std::unique_lock lock(m_mutex);
        m_struck.wait(lock, [this] { return !(m_pending && m_remaining == 0) && !m_striking; });
        if (m_killed) {
            return 0;
        }
        if (!m_pending) {
            return wanted;
        }
        const auto part = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, m_remaining));
        m_remaining -= part;
        return part;
    }
    // After mayPass(bytes): whether they went. Bytes that did not go (the connection ended) are
    // given back to the armed count.
    void passed(std::size_t bytes, bool went) {
        bool strikeNow = false;
        {
            std::lock_guard lock(m_mutex);
            if (went) {
                m_bytesToService += bytes;
            } else if (m_pending) {
                m_remaining += bytes;
            }
            strikeNow = m_pending && m_remaining == 0;
        }
        if (strikeNow) {
            strike();
        } else {
            m_struck.notify_all();
        }
    }
    // Lets the fault happen. Meanwhile no byte goes on to the service, so that none passes a
    // service that is still running after its count, or reaches a killed one.
    void strike() {
        Fault fault;
        {
            std::lock_guard lock(m_mutex);
            if (!m_pending) {
                return; // another thread struck first
            }
            fault = m_fault;
            m_pending = false;
            m_striking = true;
        }
        if (fault == Fault::Kill) {
            // A dead service's socket refuses new connections and ends the open ones.
            stopListening();
            m_signalService(SIGKILL);
            std::lock_guard connectionsLock(m_connectionsMutex);
            for (auto& connection : m_connections) {
                connection->cut();
            }
        } else {
            m_signalService(SIGSTOP);
        }
        {
            std::lock_guard lock(m_mutex);
            m_striking = false;
            m_killed = fault == Fault::Kill;
            m_struckAlready = true;
        }
        m_struck.notify_all();
    }

    void acceptConnections() {
        for (;;) {
            pollfd watched[2] = {{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
            if (::poll(watched, 2, -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return;
            }
            if (watched[1].revents != 0) {
                char drained;
                [[maybe_unused]] const ssize_t read = ::read(m_wake[0], &drained, 1);
                return;
            }
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                continue;
            }
            // The service's socket takes the connection into its backlog even while it is
            // stopped, as it would the client's own.
            sockaddr_un address = socketAddress(m_serviceSocket);
            const int service = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (service < 0 ||
                ::connect(service, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
                ::close(client);
                if (service >= 0) {
                    ::close(service);
                }
                continue;
            }
            std::lock_guard connectionsLock(m_connectionsMutex);
            m_connections.remove_if([](const auto& connection) { return connection->done(); });
            m_connections.push_back(std::make_unique<Connection>(*this, client, service));
        }
    }

    // Ends the accepting thread. Called from a connection's thread on a kill, and from the test's.
    void stopListening() {
        std::lock_guard lock(m_listenMutex);
        stopListeningLocked();
    }
    void stopListeningLocked() {
        if (m_acceptor.joinable()) {
            [[maybe_unused]] const ssize_t written = ::write(m_wake[1], "x", 1);
            m_acceptor.join();
        }
        if (m_listener >= 0) {
            ::close(m_listener);
            m_listener = -1;
        }
    }

    const std::string m_ownSocket;
    const std::string m_serviceSocket;
    const std::function<void(int)> m_signalService;
    int m_wake[2] = {-1, -1};
    std::atomic<int> m_listener{-1};
    std::thread m_acceptor;
    std::mutex m_listenMutex;

    mutable std::mutex m_mutex; // the armed fault
    std::condition_variable m_struck;
    Fault m_fault = Fault::None;
    std::uint64_t m_remaining = 0;
    bool m_pending = false;  // armed and not yet struck
    bool m_striking = false; // the service is being stopped or killed
    bool m_killed = false;
    bool m_struckAlready = false;
    std::atomic<std::uint64_t> m_bytesToService{0};

    std::mutex m_connectionsMutex;
    std::list<std::unique_ptr<Connection>> m_connections;
};

} // namespace parvelin::test
