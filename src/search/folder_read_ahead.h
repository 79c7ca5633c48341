// Reading folders ahead of a walk on a few threads, while the walk itself takes their listings
// one by one in its own depth-first order.
//
// Each folder read is a node of the walk's tree. Once read, a node's subfolders that the walk
// may enter become nodes waiting to be read; the threads always read the waiting node that comes
// first in the walk's order, so they stay just ahead of it. The walk takes each node it enters
// (reading it itself when no thread has begun it) and drops the nodes it does not enter, with
// everything read below them. Memory stays bounded: the threads, and the walk while it waits for
// one of them, stop reading ahead while the nodes read but not yet taken reach a count or a size.
// A node keeps its own name only, never its whole path, so that a deep tree costs memory in
// proportion to its depth.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "search/folder_snapshot.h"

namespace zendrift::search {

struct ReadAheadRules {
  // Besides the walk's own, which reads too.
  unsigned threads = 1;
  // Started besides those once reads have found the data of `uncachedToStart` files not in memory:
  // the disk is being read. (A few such files turn up in folders the system holds in memory too.)
  unsigned diskThreads = 0;
  std::size_t uncachedToStart = 32;
  bool dotNamesHidden = true;
  // The facts the walk will ask for (see readFolderSnapshot); called on every thread at once.
  FactsWanted fetch;
  // The files read whole with their folder (see readFolderSnapshot): those `readWhole` names, of
  // at most `maxFileBytes` each (0 reads none). Their bytes count against maxBytesAhead.
  ContentWanted readWhole;
  std::size_t maxFileBytes = 0;
  // The subfolders of a read folder that the walk might enter, in the listing's order; called on
  // every thread at once. Empty for none.
  std::function<std::vector<std::string>(const FolderSnapshot& snapshot, std::size_t level)> subfolders;
  // Once a stop is requested the threads read nothing more ahead; a folder being read is given
  // up, and the walk reads what it still needs itself, but stops short too: a listing it takes
  // then may be cut short (FolderSnapshot::stopped).
  std::stop_token stop;
  // Folders read but not yet taken. A few dozen keep the threads ahead of the walk, the disk busy
  // when the folders are not cached; more only cost memory, in every thread's own heap.
  std::size_t maxNodesAhead = 64;
  std::size_t maxBytesAhead = 8 * 1024 * 1024;
  // Folders held open while their subfolders wait to be read, which are then opened through
  // them (cheaper than by their whole path, and never through a link); beyond these, by path.
  std::size_t maxFoldersHeld = 256;
};

class FolderReadAhead {
 public:
  struct Node;
  using NodePtr = std::shared_ptr<Node>;

  explicit FolderReadAhead(ReadAheadRules rules);
  // Stops the threads; a thread in the middle of a folder gives it up.
  ~FolderReadAhead();
  FolderReadAhead(const FolderReadAhead&) = delete;
  FolderReadAhead& operator=(const FolderReadAhead&) = delete;

  // The walk's root; its reading starts at once.
  NodePtr root(std::string folder);
  // The subfolder `name` of `parent` that the walk enters next: the node read ahead for it when
  // there is one. Nodes of `parent` before it in the listing are not entered and are dropped.
  NodePtr enter(const NodePtr& parent, const std::string& name);
  // The walk is done with `node`: whatever is still read ahead below it is dropped.
  void leave(const NodePtr& node);
  // The node's listing; waits for the thread reading it, or reads it here.
  FolderSnapshot take(const NodePtr& node);

 private:
  // The walk's order, told from the nodes' places among their siblings.
  struct PreOrder {
    bool operator()(const Node* a, const Node* b) const;
  };

  // Folders let go of under the lock, closed by the caller once it has let the lock go: a close
  // is a call to the system, which the threads waiting for the lock should not wait for.
  using Closing = std::vector<platform::OpenFolder>;

  void work();
  void stopThreads();
  bool withinBounds() const;
  // Reads a waiting node on the walk's own thread. Called with the lock held.
  void readHere(std::unique_lock<std::mutex>& lock, const NodePtr& node);
  // The node's folder, with a trailing delimiter, put together from the names above it. Called
  // with the lock held: the nodes above a waiting node live while it waits.
  static std::string folderOf(const Node& node);
  // Takes a waiting node to be read: where it is, and whether it may be held open. Called with
  // the lock held.
  struct Start {
    FolderPlace place;
    bool holdOpen = false;
  };
  Start start(Node& node, Closing& closing);
  SnapshotRead read(platform::DirectoryListing& listing, Start&& start, const std::atomic<bool>& stop);
  // Stores a read listing and makes its subfolders wait to be read. Called with the lock held.
  void finish(const NodePtr& node, SnapshotRead&& read, std::vector<std::string>&& subfolders);
  // Starts the disk threads once a read shows the disk is being read. Called with the lock held.
  void startDiskThreads(const SnapshotRead& read);
  // The node's folder is no longer held open for its subfolders. Called with the lock held.
  void release(Node& node, Closing& closing);
  std::vector<std::string> subfoldersOf(const FolderSnapshot& snapshot, std::size_t level);
  // Drops the node and everything below it. Called with the lock held.
  void drop(Node& node, Closing& closing);

  ReadAheadRules rules_;
  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable nodeRead_;
  std::set<Node*, PreOrder> waiting_;
  std::size_t nodesAhead_ = 0;
  std::size_t foldersHeld_ = 0;
  const SnapshotRules snapshotRules_;
  std::size_t bytesAhead_ = 0;
  // The threads reached the bound and wait for the walk to catch up.
  bool held_ = false;
  std::size_t uncachedFiles_ = 0;
  bool diskThreadsStarted_ = false;
  // Set when the threads are to end (the walk is over, or a stop was requested); the walk's own
  // reads end early too.
  std::atomic<bool> stop_{false};
  // Folders already read by anyone in this walk: a folder met again is not read below twice.
  std::unordered_set<platform::FolderId, FolderIdHash> seen_;
  platform::DirectoryListing ownListing_;
  std::vector<std::jthread> threads_;
  std::optional<std::stop_callback<std::function<void()>>> onStop_;
};

}  // namespace zendrift::search
